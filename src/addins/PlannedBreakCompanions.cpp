#include "addins/PlannedBreakCompanions.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"

using namespace HoraluxSDK;

namespace {

/// Calls the change handler; a failure of the handler is the failure of the member that changed.
void Notify(const TPlannedBreaksChanged& changed) {
    if (changed)
        changed();
}

/// A handler must not raise while its companion goes: the last Release cannot report it.
void NotifyQuietly(const TPlannedBreaksChanged& changed) noexcept {
    try {
        Notify(changed);
    } catch (...) {
    }
}

class TPlannedBreakCompanion : public TCompanion<IHXPlannedBreak, IHXPlannedBreak_> {
public:
    TPlannedBreakCompanion(const PlannedBreakPtr& plannedBreak, TPlannedBreaksChanged changed)
        : TCompanion(plannedBreak), m_changed(std::move(changed)) {}

    HXRESULT get_FromTime(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PlannedBreak.FromTime");
            *value = Get().FromTime();
        });
    }
    HXRESULT put_FromTime(HXDATE value) noexcept override {
        return GuardHXCall([&] {
            Get().SetFromTime(value);
            Notify(m_changed);
        });
    }
    HXRESULT get_ToTime(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PlannedBreak.ToTime");
            *value = Get().ToTime();
        });
    }
    HXRESULT put_ToTime(HXDATE value) noexcept override {
        return GuardHXCall([&] {
            Get().SetToTime(value);
            Notify(m_changed);
        });
    }
    HXRESULT get_Duration(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PlannedBreak.Duration");
            *value = Get().Duration();
        });
    }
    HXRESULT put_Duration(HXDATE value) noexcept override {
        return GuardHXCall([&] {
            Get().SetDuration(value);
            Notify(m_changed);
        });
    }
    HXRESULT get_ActivityLocator(IHXActivityLocator** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "PlannedBreak.ActivityLocator");
            *value = NewActivityLocatorCompanion(Get().ActivityLocator());
        });
    }

protected:
    ~TPlannedBreakCompanion() override { NotifyQuietly(m_changed); }

private:
    const TPlannedBreaksChanged m_changed;
};

class TPlannedBreakListCompanion : public TCompanion<IHXPlannedBreakList, IHXPlannedBreakList_> {
public:
    TPlannedBreakListCompanion(const PlannedBreakListPtr& list, TPlannedBreaksChanged changed)
        : TCompanion(list), m_changed(std::move(changed)) {}

    HXRESULT AddNew(IHXPlannedBreak** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "PlannedBreakList.AddNew");
            const PlannedBreakPtr plannedBreak = Get().AddNew();
            Notify(m_changed);
            *result = NewPlannedBreakCompanion(plannedBreak, m_changed);
        });
    }
    HXRESULT Clear() noexcept override {
        return GuardHXCall([&] {
            Get().Clear();
            Notify(m_changed);
        });
    }
    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PlannedBreakList.Count");
            *value = Get().Count();
        });
    }
    HXRESULT get_Items(int32_t index, IHXPlannedBreak** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "PlannedBreakList.Items");
            *value = NewPlannedBreakCompanion(Get().Items(index), m_changed);
        });
    }
    HXRESULT LoadFromValueList(IHXPropertyValueList* list) noexcept override {
        return GuardHXCall([&] {
            Get().LoadFromValueList(
                RequireCompanionOwner<IHXPropertyValueList_>(list, "PlannedBreakList.LoadFromValueList"));
            Notify(m_changed);
        });
    }
    HXRESULT SaveToValueList(IHXPropertyValueList* list) noexcept override {
        return GuardHXCall([&] {
            Get().SaveToValueList(
                RequireCompanionOwner<IHXPropertyValueList_>(list, "PlannedBreakList.SaveToValueList"));
        });
    }
    // A break of another list leaves the list as it is, as the program's list does.
    HXRESULT Remove(IHXPlannedBreak* aBreak) noexcept override {
        return GuardHXCall([&] {
            Get().Remove(RequireCompanionOwner<IHXPlannedBreak_>(aBreak, "PlannedBreakList.Remove"));
            Notify(m_changed);
        });
    }

protected:
    ~TPlannedBreakListCompanion() override { NotifyQuietly(m_changed); }

private:
    const TPlannedBreaksChanged m_changed;
};

} // namespace

IHXPlannedBreakList* NewPlannedBreakListCompanion(const PlannedBreakListPtr& list, TPlannedBreaksChanged changed) {
    return list ? new TPlannedBreakListCompanion(list, std::move(changed)) : nullptr;
}

IHXPlannedBreak* NewPlannedBreakCompanion(const PlannedBreakPtr& plannedBreak, TPlannedBreaksChanged changed) {
    return plannedBreak ? new TPlannedBreakCompanion(plannedBreak, std::move(changed)) : nullptr;
}
