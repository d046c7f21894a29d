#include "addins/EntryCompanions.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"

using namespace HoraluxSDK;

namespace {

/// The program's entry behind an entry an add-in handed in: a companion of either face.
EntryPtr RequireEntry(IHXEntry* entry, const char* member) {
    return RequireCompanionOwner<IHXEntry_>(entry, member);
}

/// One companion per entry. For an activity entry it answers IHXActivityEntry too, through a
/// second face that shares the references and the identity (IHXUnknown) of the first, so a client
/// holding either interface works on the same entry.
class TEntryCompanion final : public TCompanion<IHXEntry, IHXEntry_> {
public:
    explicit TEntryCompanion(const EntryPtr& entry)
        : TCompanion(entry), m_activityEntry(std::dynamic_pointer_cast<IHXActivityEntry_>(entry)),
          m_activityFace(*this) {}

    HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
        if (object && m_activityEntry && HXEqualGuid(iid, IHXActivityEntry::IID)) {
            AddRef();
            *object = static_cast<IHXActivityEntry*>(&m_activityFace);
            return HX_S_OK;
        }
        return TCompanion::QueryInterface(iid, object);
    }

    HXRESULT get_Changed(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Entry.Changed");
            *value = ToHXBool(Get().Changed());
        });
    }
    HXRESULT get_Date(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Entry.Date");
            *value = Get().Date();
        });
    }
    HXRESULT put_Date(HXDATE value) noexcept override {
        return GuardHXCall([&] { Get().SetDate(value); });
    }
    HXRESULT get_EndTime(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Entry.EndTime");
            *value = Get().EndTime();
        });
    }
    HXRESULT get_StartTime(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Entry.StartTime");
            *value = Get().StartTime();
        });
    }
    HXRESULT CompareDateTime(IHXEntry* aEntry, int32_t* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "Entry.CompareDateTime");
            *result = Get().CompareDateTime(RequireEntry(aEntry, "Entry.CompareDateTime"));
        });
    }
    HXRESULT SetTime(HXDATE startTime, HXDATE endTime) noexcept override {
        return GuardHXCall([&] { Get().SetTime(startTime, endTime); });
    }
    HXRESULT get_AdditionalProperties(IHXPropertyList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Entry.AdditionalProperties");
            *value = NewPropertyListCompanion(Get().AdditionalProperties());
        });
    }

private:
    class TActivityFace final : public IHXActivityEntry {
    public:
        explicit TActivityFace(TEntryCompanion& entry) : m_entry(entry) {}
        TActivityFace(const TActivityFace&) = delete;
        TActivityFace& operator=(const TActivityFace&) = delete;

        HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
            return m_entry.QueryInterface(iid, object);
        }
        uint32_t AddRef() noexcept override { return m_entry.AddRef(); }
        uint32_t Release() noexcept override { return m_entry.Release(); }
        HXRESULT GetTypeInfoCount(uint32_t* count) noexcept override { return m_entry.GetTypeInfoCount(count); }
        HXRESULT GetTypeInfo(uint32_t index, void** typeInfo) noexcept override {
            return m_entry.GetTypeInfo(index, typeInfo);
        }
        HXRESULT GetIDsOfNames(const char16_t* const* names, uint32_t count, int32_t* dispids) noexcept override {
            if (!names || !dispids)
                return HX_E_POINTER;
            HXRESULT result = HX_S_OK;
            for (uint32_t i = 0; i < count; ++i) {
                dispids[i] = names[i] ? HXFindDispId(IHXActivityEntry::Members, names[i]) : -1;
                if (dispids[i] == -1)
                    result = HX_DISP_E_UNKNOWNNAME;
            }
            return result;
        }
        HXRESULT Invoke(int32_t dispid, uint16_t flags, HXVARIANT* args, uint32_t argc,
                        HXVARIANT* result) noexcept override {
            return HXDispatchInvoke<IHXActivityEntry>(this, dispid, flags, args, argc, result);
        }

        HXRESULT get_Changed(HXBOOL* value) noexcept override { return m_entry.get_Changed(value); }
        HXRESULT get_Date(HXDATE* value) noexcept override { return m_entry.get_Date(value); }
        HXRESULT put_Date(HXDATE value) noexcept override { return m_entry.put_Date(value); }
        HXRESULT get_EndTime(HXDATE* value) noexcept override { return m_entry.get_EndTime(value); }
        HXRESULT get_StartTime(HXDATE* value) noexcept override { return m_entry.get_StartTime(value); }
        HXRESULT CompareDateTime(IHXEntry* aEntry, int32_t* result) noexcept override {
            return m_entry.CompareDateTime(aEntry, result);
        }
        HXRESULT get_Duration(HXDATE* value) noexcept override {
            return GuardHXCall([&] {
                RequireOut(value, "ActivityEntry.Duration");
                *value = Activity().Duration();
            });
        }
        HXRESULT put_Duration(HXDATE value) noexcept override {
            return GuardHXCall([&] { Activity().SetDuration(value); });
        }
        HXRESULT get_Locator(IHXActivityLocator** value) noexcept override {
            ClearOut(value);
            return GuardHXCall([&] {
                RequireOut(value, "ActivityEntry.Locator");
                *value = NewActivityLocatorCompanion(Activity().Locator());
            });
        }
        HXRESULT CalculateDuration() noexcept override {
            return GuardHXCall([&] { Activity().CalculateDuration(); });
        }
        HXRESULT SetTime(HXDATE startTime, HXDATE endTime) noexcept override {
            return m_entry.SetTime(startTime, endTime);
        }

    private:
        IHXActivityEntry_& Activity() const { return *m_entry.m_activityEntry; }

        TEntryCompanion& m_entry;
    };

    ~TEntryCompanion() override = default;

    const ActivityEntryPtr m_activityEntry;
    TActivityFace m_activityFace;
};

template <typename Interface, typename List> class TEntryListCompanionBase : public TCompanion<Interface, List> {
public:
    using TCompanion<Interface, List>::TCompanion;

    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "EntryList.Count");
            *value = this->Get().Count();
        });
    }
    HXRESULT get_Items(int32_t index, IHXEntry** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "EntryList.Items");
            *value = NewEntryCompanion(this->Get().Items(index));
        });
    }
    HXRESULT Sort() noexcept override {
        return GuardHXCall([&] { this->Get().Sort(); });
    }
};

class TDayEntryListCompanion : public TEntryListCompanionBase<IHXDayEntryList, IHXDayEntryList_> {
public:
    using TEntryListCompanionBase::TEntryListCompanionBase;

    HXRESULT get_Date(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "DayEntryList.Date");
            *value = Get().Date();
        });
    }
    HXRESULT AddNew(IHXEntry** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "DayEntryList.AddNew");
            *result = NewEntryCompanion(Get().AddNew());
        });
    }
    // An entry of another list (or of none) leaves the list as it is, as the program's list does.
    HXRESULT Remove(IHXEntry* entry) noexcept override {
        return GuardHXCall([&] { Get().Remove(RequireEntry(entry, "DayEntryList.Remove")); });
    }
    HXRESULT Delete(int32_t index) noexcept override {
        return GuardHXCall([&] { Get().Delete(index); });
    }
};

class TEntryListCompanion : public TEntryListCompanionBase<IHXEntryList, IHXEntryList_> {
public:
    using TEntryListCompanionBase::TEntryListCompanionBase;
};

} // namespace

IHXEntry* NewEntryCompanion(const EntryPtr& entry) {
    return entry ? new TEntryCompanion(entry) : nullptr;
}

IHXDayEntryList* NewDayEntryListCompanion(const DayEntryListPtr& list) {
    return list ? new TDayEntryListCompanion(list) : nullptr;
}

IHXEntryList* NewEntryListCompanion(const EntryListPtr& list) {
    return list ? new TEntryListCompanion(list) : nullptr;
}
