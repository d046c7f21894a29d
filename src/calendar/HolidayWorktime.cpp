#include "calendar/HolidayWorktime.h"

#include "foundation/DateTime.h"

void THolidayWorktime::SetIsNegative(bool value) {
    m_isNegative = value;
    m_isRelative = m_isRelative || value;
}

void THolidayWorktime::SetIsRelative(bool value) {
    m_isRelative = value;
    m_isNegative = m_isNegative && value;
}

void THolidayWorktime::SetWorktimePercentage(double value) {
    if (value < 0)
        throw EHolidayWorktimeError(QStringLiteral("WorktimePercentage must be >= 0"));
    m_percentage = value;
}

void THolidayWorktime::Assign(const IHXHolidayWorktime_& source) {
    m_isPercentage = source.IsPercentage();
    m_isNegative = source.IsNegative();
    m_isRelative = source.IsRelative();
    m_absolute = source.WorktimeAbsolute();
    m_percentage = source.WorktimePercentage();
}

std::optional<double> ApplyHolidayRule(const IHXHolidayWorktime_& rule, double w) {
    if (rule.IsPercentage()) {
        const double p = rule.WorktimePercentage();
        if (rule.IsRelative()) {
            if (p == 0)
                return std::nullopt;
            if (rule.IsNegative()) {
                const double result = w - w * p;
                return result < 0 ? 0.0 : result;
            }
            return w + w * p;
        }
        if (p == 1)
            return std::nullopt;
        if (p != 0)
            return p * w;
        // A 0 % rule on a day that requires nothing changes nothing.
        if (TimesEqual(w, 0))
            return std::nullopt;
        return 0.0;
    }
    const double a = rule.WorktimeAbsolute();
    if (rule.IsRelative()) {
        if (TimesEqual(a, 0))
            return std::nullopt;
        if (rule.IsNegative()) {
            const double result = w - a;
            return result < 0 ? 0.0 : result;
        }
        return w + a;
    }
    if (!TimesEqual(a, w))
        return a;
    return std::nullopt;
}
