// Stand-ins for the companions of property lists, value lists and locators, with the few members
// the storage, entry and planned break companions need; the other members answer HX_E_NOTIMPL.

#include "addins/Companion.h"
#include "addins/ModelCompanions.h"

using namespace HoraluxSDK;

namespace {

template <typename T> HXRESULT NotImplemented(T** value) {
    if (value)
        *value = nullptr;
    return HX_E_NOTIMPL;
}

class TInterimPropertyList : public TCompanion<IHXPropertyList, IHXPropertyList_> {
public:
    using TCompanion::TCompanion;
    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("PropertyList.Count"));
            *value = Get().Count();
        });
    }
    HXRESULT get_Changed(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("PropertyList.Changed"));
            *value = Get().Changed() ? 1 : 0;
        });
    }
    HXRESULT get_Items(HXBSTR, IHXProperty** value) noexcept override { return NotImplemented(value); }
    HXRESULT put_Items(HXBSTR, IHXProperty*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT Find(HXBSTR, IHXProperty** result) noexcept override { return NotImplemented(result); }
};

class TInterimPropertyValueList : public TCompanion<IHXPropertyValueList, IHXPropertyValueList_> {
public:
    using TCompanion::TCompanion;
    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("PropertyValueList.Count"));
            *value = Get().Count();
        });
    }
    HXRESULT AddItem(IHXProperty** result) noexcept override { return NotImplemented(result); }
    HXRESULT get_Items(int32_t, IHXProperty** value) noexcept override { return NotImplemented(value); }
};

class TInterimActivityLocator : public TCompanion<IHXActivityLocator, IHXActivityLocator_> {
public:
    using TCompanion::TCompanion;
    HXRESULT get_IsBreak(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("ActivityLocator.IsBreak"));
            *value = Get().IsBreak() ? HX_TRUE : HX_FALSE;
        });
    }
    HXRESULT put_IsBreak(HXBOOL value) noexcept override {
        return GuardHXCall([&] { Get().SetIsBreak(value != HX_FALSE); });
    }
    HXRESULT Eq(IHXActivityLocator*, HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT FindActivity(IHXActivityTree*, IHXActivity** activity, TLocatorRelevance*) noexcept override {
        return NotImplemented(activity);
    }
    HXRESULT GetActivityName(IHXActivityTree*, HXBSTR* result) noexcept override { return NotImplemented(result); }
    HXRESULT GetActivityPathName(IHXActivityTree*, HXBSTR* result) noexcept override { return NotImplemented(result); }
    HXRESULT SetActivity(IHXActivity*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT AddParentActivity(HXBSTR) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT Assign_(IHXActivityLocator*) noexcept override { return HX_E_NOTIMPL; }
};

} // namespace

IHXPropertyList* NewPropertyListCompanion(const std::shared_ptr<IHXPropertyList_>& list) {
    return list ? new TInterimPropertyList(list) : nullptr;
}

IHXPropertyValueList* NewPropertyValueListCompanion(const std::shared_ptr<IHXPropertyValueList_>& list) {
    return list ? new TInterimPropertyValueList(list) : nullptr;
}

IHXActivityLocator* NewActivityLocatorCompanion(const ActivityLocatorPtr& locator) {
    return locator ? new TInterimActivityLocator(locator) : nullptr;
}
