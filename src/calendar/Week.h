#pragma once

#include "calendar/Day.h"
#include "model/PropertyInterfaces.h"

#include <array>
#include <memory>

/// Seven weekday objects (numbers 1..7), each holding the required time of that weekday. The
/// objects are created with the week and never replaced, so references to them stay valid.
class IHXWeek_ {
public:
    virtual ~IHXWeek_() = default;
    std::shared_ptr<IHXDay_> Monday() const { return GetDay(1); }
    std::shared_ptr<IHXDay_> Tuesday() const { return GetDay(2); }
    std::shared_ptr<IHXDay_> Wednesday() const { return GetDay(3); }
    std::shared_ptr<IHXDay_> Thursday() const { return GetDay(4); }
    std::shared_ptr<IHXDay_> Friday() const { return GetDay(5); }
    std::shared_ptr<IHXDay_> Saturday() const { return GetDay(6); }
    std::shared_ptr<IHXDay_> Sunday() const { return GetDay(7); }
    /// The day object by ISO number; a number outside 1..7 raises EDayCreateError.
    virtual std::shared_ptr<IHXDay_> GetDay(int dayOfTheWeek) const = 0;
    /// The day object of the ISO weekday of the date (time of day ignored).
    virtual std::shared_ptr<IHXDay_> GetDayByDate(double date) const = 0;
    /// "days": a value list of up to seven property lists (Monday first) with "worktime". Items
    /// beyond the seventh are ignored; days without an item keep their time.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    /// Writes all seven days into "days".
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
};

class TWeek : public TInterfacedAndCheckedObject, public IHXWeek_ {
public:
    TWeek();

    std::shared_ptr<IHXDay_> GetDay(int dayOfTheWeek) const override;
    std::shared_ptr<IHXDay_> GetDayByDate(double date) const override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;

    /// The worktime of weekday 1..7 without handing out the object (no range check).
    double WorkTimeOf(int dayOfTheWeek) const { return m_days[dayOfTheWeek - 1]->WorkTime(); }

private:
    std::array<std::shared_ptr<TDay>, 7> m_days;
};
