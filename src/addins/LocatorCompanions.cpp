// The companions of activity locators and of the two kinds of locator lists.

#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"

using HoraluxSDK::IHXActivity;
using HoraluxSDK::IHXActivityLocator;
using HoraluxSDK::IHXActivityLocatorHistoryList;
using HoraluxSDK::IHXActivityLocatorList;
using HoraluxSDK::IHXActivityTree;
using HoraluxSDK::IHXPropertyValueList;

namespace {

class TActivityLocatorCompanion : public TCompanion<IHXActivityLocator, IHXActivityLocator_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_IsBreak(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "ActivityLocator.IsBreak");
            *value = ToHXBool(Get().IsBreak());
        });
    }
    HXRESULT put_IsBreak(HXBOOL value) noexcept override {
        return GuardHXCall([&] { Get().SetIsBreak(value != HX_FALSE); });
    }
    /// A null locator is equal to none.
    HXRESULT Eq(IHXActivityLocator* otherLocator, HXBOOL* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "ActivityLocator.Eq");
            *result =
                ToHXBool(Get().Eq(OptionalCompanionOwner<IHXActivityLocator_>(otherLocator, "ActivityLocator.Eq")));
        });
    }
    /// relevance may be null when the caller only wants the activity.
    HXRESULT FindActivity(IHXActivityTree* activityTree, IHXActivity** activity,
                          HoraluxSDK::TLocatorRelevance* relevance) noexcept override {
        ClearOut(activity);
        return GuardHXCall([&] {
            RequireOut(activity, "ActivityLocator.FindActivity");
            const ActivityTreePtr tree =
                RequireCompanionOwner<IHXActivityTree_>(activityTree, "ActivityLocator.FindActivity");
            ::TLocatorRelevance found = LocatorRelevanceNotFound;
            IHXActivity* companion = NewActivityCompanion(Get().FindActivity(tree, &found));
            if (relevance)
                *relevance = found;
            *activity = companion;
        });
    }
    HXRESULT GetActivityName(IHXActivityTree* activityTree, HXBSTR* result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "ActivityLocator.GetActivityName");
            *result = ToHXString(Get().GetActivityName(
                RequireCompanionOwner<IHXActivityTree_>(activityTree, "ActivityLocator.GetActivityName")));
        });
    }
    HXRESULT GetActivityPathName(IHXActivityTree* activityTree, HXBSTR* result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "ActivityLocator.GetActivityPathName");
            *result = ToHXString(Get().GetActivityPathName(
                RequireCompanionOwner<IHXActivityTree_>(activityTree, "ActivityLocator.GetActivityPathName")));
        });
    }
    HXRESULT SetActivity(IHXActivity* activity) noexcept override {
        return GuardHXCall(
            [&] { Get().SetActivity(RequireCompanionOwner<IHXActivity_>(activity, "ActivityLocator.SetActivity")); });
    }
    /// parentID in the braced registry form; any other text is refused and changes nothing.
    HXRESULT AddParentActivity(HXBSTR parentID) noexcept override {
        return GuardHXCall([&] { Get().AddParentActivity(TGUID::FromString(FromHXString(parentID))); });
    }
    HXRESULT Assign_(IHXActivityLocator* otherLocator) noexcept override {
        return GuardHXCall(
            [&] { Get().Assign(RequireCompanionOwner<IHXActivityLocator_>(otherLocator, "ActivityLocator.Assign_")); });
    }
};

/// The members both locator lists share.
template <typename Interface, typename List> class TLocatorListCompanion : public TCompanion<Interface, List> {
public:
    using TCompanion<Interface, List>::TCompanion;

    HXRESULT get_Items(int32_t index, IHXActivityLocator** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivityLocatorList.Items");
            *value = NewActivityLocatorCompanion(List_().Items(index));
        });
    }
    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "ActivityLocatorList.Count");
            *value = List_().Count();
        });
    }
    HXRESULT AddNew(IHXActivityLocator** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "ActivityLocatorList.AddNew");
            *result = NewActivityLocatorCompanion(List_().AddNew());
        });
    }
    HXRESULT Remove(IHXActivityLocator* locator) noexcept override {
        return GuardHXCall(
            [&] { List_().Remove(RequireCompanionOwner<IHXActivityLocator_>(locator, "ActivityLocatorList.Remove")); });
    }
    HXRESULT LoadFromValueList(IHXPropertyValueList* list) noexcept override {
        return GuardHXCall([&] {
            List_().LoadFromValueList(
                RequireCompanionOwner<IHXPropertyValueList_>(list, "ActivityLocatorList.LoadFromValueList"));
        });
    }
    HXRESULT SaveToValueList(IHXPropertyValueList* list) noexcept override {
        return GuardHXCall([&] {
            List_().SaveToValueList(
                RequireCompanionOwner<IHXPropertyValueList_>(list, "ActivityLocatorList.SaveToValueList"));
        });
    }

protected:
    List& List_() const { return this->Get(); }
};

using TActivityLocatorListCompanion = TLocatorListCompanion<IHXActivityLocatorList, TActivityLocatorList>;

class TActivityLocatorHistoryListCompanion
    : public TLocatorListCompanion<IHXActivityLocatorHistoryList, TActivityLocatorHistoryList> {
public:
    using TLocatorListCompanion::TLocatorListCompanion;

    HXRESULT get_MaxElements(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "ActivityLocatorHistoryList.MaxElements");
            *value = List_().MaxElements();
        });
    }
    HXRESULT put_MaxElements(int32_t value) noexcept override {
        return GuardHXCall([&] { List_().SetMaxElements(value); });
    }
};

} // namespace

IHXActivityLocator* NewActivityLocatorCompanion(const ActivityLocatorPtr& locator) {
    return locator ? new TActivityLocatorCompanion(locator) : nullptr;
}

IHXActivityLocatorList* NewActivityLocatorListCompanion(const std::shared_ptr<TActivityLocatorList>& list) {
    return list ? new TActivityLocatorListCompanion(list) : nullptr;
}

IHXActivityLocatorHistoryList*
NewActivityLocatorHistoryListCompanion(const std::shared_ptr<TActivityLocatorHistoryList>& list) {
    return list ? new TActivityLocatorHistoryListCompanion(list) : nullptr;
}
