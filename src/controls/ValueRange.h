#pragma once

// The range of a value edit. The minimum never lies above the maximum: a minimum set above the
// maximum raises the maximum to it, and a maximum set below the minimum becomes the minimum.

#include <algorithm>

template <typename T> class TValueRange {
public:
    TValueRange(T minimum, T maximum) : m_min(minimum), m_max(std::max(minimum, maximum)) {}

    T Min() const { return m_min; }
    T Max() const { return m_max; }
    void SetMin(T value) {
        m_min = value;
        m_max = std::max(m_max, value);
    }
    void SetMax(T value) { m_max = std::max(value, m_min); }

    /// The value moved into the range.
    T Limit(T value) const { return std::clamp(value, m_min, m_max); }
    bool Contains(T value) const { return value >= m_min && value <= m_max; }

private:
    T m_min;
    T m_max;
};
