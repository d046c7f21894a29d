#include "addins/StorageCompanions.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"
#include "addins/EntryCompanions.h"
#include "addins/ModelCompanions.h"
#include "storage/StorageExceptions.h"

using namespace HoraluxSDK;

namespace {

class TEntryInfoCompanion : public TCompanion<IHXEntryInfo, IHXEntryInfo_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_EntryTypeID(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "EntryInfo.EntryTypeID");
            // An info for all entry types has no entry type: the empty text.
            if (Get().InfoType() == ::hxeitSingle)
                *value = ToHXString(Get().EntryTypeID().ToString());
        });
    }
    HXRESULT get_InfoType(HoraluxConstants* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "EntryInfo.InfoType");
            *value = Get().InfoType() == ::hxeitSingle ? HoraluxSDK::hxeitSingle : HoraluxSDK::hxeitAll;
        });
    }
};

class TDateInfoCompanion : public TCompanion<IHXDateInfo, IHXDateInfo_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Date(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "DateInfo.Date");
            *value = Get().Date();
        });
    }
    HXRESULT get_InfoType(HoraluxConstants* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "DateInfo.InfoType");
            *value = Get().InfoType() == ::hxditUnlimited ? HoraluxSDK::hxditUnlimited : HoraluxSDK::hxditLimited;
        });
    }
    HXRESULT Equals(IHXDateInfo* aDateInfo, HXBOOL* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "DateInfo.Equals");
            *result = ToHXBool(Get().Equals(RequireCompanionOwner<IHXDateInfo_>(aDateInfo, "DateInfo.Equals")));
        });
    }
};

class TStorageInfoCompanion : public TCompanion<IHXStorageInfo, IHXStorageInfo_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Changed(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "StorageInfo.Changed");
            *value = ToHXBool(Get().Changed());
        });
    }
    HXRESULT get_EndInfo(IHXDateInfo** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "StorageInfo.EndInfo");
            *value = NewDateInfoCompanion(Get().EndInfo());
        });
    }
    HXRESULT get_EntryInfo(IHXEntryInfo** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "StorageInfo.EntryInfo");
            *value = NewEntryInfoCompanion(Get().EntryInfo());
        });
    }
    HXRESULT get_StartInfo(IHXDateInfo** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "StorageInfo.StartInfo");
            *value = NewDateInfoCompanion(Get().StartInfo());
        });
    }
    HXRESULT get_StorageTypeID(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "StorageInfo.StorageTypeID");
            *value = ToHXString(Get().StorageTypeID().ToString());
        });
    }
    HXRESULT Compare(HXDATE aDate, int32_t* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "StorageInfo.Compare");
            *result = Get().Compare(aDate);
        });
    }
    HXRESULT Contains(IHXStorageInfo* aStorageInfo, HXBOOL* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "StorageInfo.Contains");
            *result =
                ToHXBool(Get().Contains(RequireCompanionOwner<IHXStorageInfo_>(aStorageInfo, "StorageInfo.Contains")));
        });
    }
    HXRESULT LoadFromPropertyList(IHXPropertyList* aProperties) noexcept override {
        return GuardHXCall([&] {
            Get().LoadFromPropertyList(
                RequireCompanionOwner<IHXPropertyList_>(aProperties, "StorageInfo.LoadFromPropertyList"));
        });
    }
    HXRESULT SaveAsPropertyList(IHXPropertyList** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "StorageInfo.SaveAsPropertyList");
            *result = NewPropertyListCompanion(Get().SaveAsPropertyList());
        });
    }
    HXRESULT UpdateFromPropertyList(IHXPropertyList* aPropertyList) noexcept override {
        return GuardHXCall([&] {
            Get().UpdateFromPropertyList(
                RequireCompanionOwner<IHXPropertyList_>(aPropertyList, "StorageInfo.UpdateFromPropertyList"));
        });
    }
};

/// What a storage works through; a base of its companion so that it goes after the storage.
struct TStorageAnchor {
    std::shared_ptr<void> keepAlive;
};

class TStorageCompanion : private TStorageAnchor, public TCompanion<IHXStorage, IHXStorage_> {
public:
    TStorageCompanion(const StoragePtr& storage, std::shared_ptr<void> keepAlive)
        : TStorageAnchor{std::move(keepAlive)}, TCompanion(storage) {}

    HXRESULT get_Changed(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Storage.Changed");
            *value = ToHXBool(Get().Changed());
        });
    }
    HXRESULT get_Info(IHXStorageInfo** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Storage.Info");
            *value = NewStorageInfoCompanion(Get().Info());
        });
    }
    HXRESULT ClearCache() noexcept override {
        return GuardHXCall([&] { Get().ClearCache(); });
    }
    HXRESULT GetDayEntries(HXDATE aDate, HXBSTR entryTypeID, IHXDayEntryList** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "Storage.GetDayEntries");
            const TGUID entryType = TGUID::FromString(FromHXString(entryTypeID));
            *result = NewDayEntryListCompanion(Get().GetDayEntries(entryType, aDate));
        });
    }
    // The dates with data of every entry type; a storage without data answers no data and 0.
    HXRESULT GetExistingMaxDate(HXDATE* max, HXBOOL* hasData) noexcept override {
        return GuardHXCall([&] {
            RequireOut(max, "Storage.GetExistingMaxDate");
            RequireOut(hasData, "Storage.GetExistingMaxDate");
            double found = 0;
            bool any = false;
            Get().GetExistingMaxDate(AllEntries(), found, any);
            *max = any ? found : 0;
            *hasData = ToHXBool(any);
        });
    }
    HXRESULT GetExistingMinDate(HXDATE* min, HXBOOL* hasData) noexcept override {
        return GuardHXCall([&] {
            RequireOut(min, "Storage.GetExistingMinDate");
            RequireOut(hasData, "Storage.GetExistingMinDate");
            double found = 0;
            bool any = false;
            Get().GetExistingMinDate(AllEntries(), found, any);
            *min = any ? found : 0;
            *hasData = ToHXBool(any);
        });
    }
    HXRESULT GetExistingMinMaxDate(HXDATE* min, HXDATE* max, HXBOOL* hasData) noexcept override {
        return GuardHXCall([&] {
            RequireOut(min, "Storage.GetExistingMinMaxDate");
            RequireOut(max, "Storage.GetExistingMinMaxDate");
            RequireOut(hasData, "Storage.GetExistingMinMaxDate");
            double foundMin = 0;
            double foundMax = 0;
            bool any = false;
            Get().GetExistingMinMaxDate(AllEntries(), foundMin, foundMax, any);
            *min = any ? foundMin : 0;
            *max = any ? foundMax : 0;
            *hasData = ToHXBool(any);
        });
    }
    // A file the user let go (Ignore) keeps its data only in memory; the save returns normally
    // then, but the add-in must not be told that everything was saved.
    HXRESULT Save() noexcept override {
        return GuardHXCall([&] {
            Get().Save();
            if (Get().Changed())
                throw EStorageError(QStringLiteral("Storage.Save: not everything was saved: some work data is "
                                                   "still only in memory"));
        });
    }

private:
    static EntryInfoPtr AllEntries() { return std::make_shared<TEntryInfo>(); }
};

} // namespace

IHXStorage* NewStorageCompanion(const StoragePtr& storage, std::shared_ptr<void> keepAlive) {
    return storage ? new TStorageCompanion(storage, std::move(keepAlive)) : nullptr;
}

IHXStorageInfo* NewStorageInfoCompanion(const StorageInfoPtr& info) {
    return info ? new TStorageInfoCompanion(info) : nullptr;
}

IHXDateInfo* NewDateInfoCompanion(const DateInfoPtr& info) {
    return info ? new TDateInfoCompanion(info) : nullptr;
}

IHXEntryInfo* NewEntryInfoCompanion(const EntryInfoPtr& info) {
    return info ? new TEntryInfoCompanion(info) : nullptr;
}
