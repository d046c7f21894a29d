// The companions of activities, activity lists, the activity tree and activity sources.

#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"

using namespace HoraluxSDK;

namespace {

class TActivityCompanion : public TCompanion<IHXActivity, IHXActivity_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Name(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Activity.Name");
            *value = ToHXString(Get().Name());
        });
    }
    HXRESULT put_Name(HXBSTR value) noexcept override {
        return GuardHXCall([&] { Get().SetName(FromHXString(value)); });
    }
    HXRESULT get_Values(IHXPropertyList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Activity.Values");
            *value = NewPropertyListCompanion(Get().Values());
        });
    }
    HXRESULT get_ID(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Activity.ID");
            *value = ToHXString(Get().ID().ToString());
        });
    }
    HXRESULT get_InstanceCount(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Activity.InstanceCount");
            *value = Get().InstanceCount();
        });
    }
    HXRESULT put_InstanceCount(int32_t value) noexcept override {
        return GuardHXCall([&] { Get().SetInstanceCount(value); });
    }
    HXRESULT get_IsBreak(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Activity.IsBreak");
            *value = ToHXBool(Get().IsBreak());
        });
    }
    HXRESULT put_IsBreak(HXBOOL value) noexcept override {
        return GuardHXCall([&] { Get().SetIsBreak(value != HX_FALSE); });
    }
    HXRESULT get_IsReadOnly(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Activity.IsReadOnly");
            *value = ToHXBool(Get().IsReadOnly());
        });
    }
    HXRESULT get_Childs(IHXActivityList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Activity.Childs");
            *value = NewActivityListCompanion(Get().Childs());
        });
    }
    HXRESULT get_TempStorage(IHXPropertyList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Activity.TempStorage");
            *value = NewPropertyListCompanion(Get().TempStorage());
        });
    }
};

class TActivityListCompanion : public TCompanion<IHXActivityList, IHXActivityList_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "ActivityList.Count");
            *value = Get().Count();
        });
    }
    HXRESULT get_Items(int32_t index, IHXActivity** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivityList.Items");
            *value = NewActivityCompanion(Get().Items(index));
        });
    }
    HXRESULT AddNew(IHXActivity** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "ActivityList.AddNew");
            *result = NewActivityCompanion(Get().AddNew());
        });
    }
    HXRESULT InsertNew(int32_t index, IHXActivity** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "ActivityList.InsertNew");
            *result = NewActivityCompanion(Get().InsertNew(index));
        });
    }
    HXRESULT Contains(IHXActivity* activity, HXBOOL* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "ActivityList.Contains");
            *result = ToHXBool(Get().Contains(RequireCompanionOwner<IHXActivity_>(activity, "ActivityList.Contains")));
        });
    }
    HXRESULT Remove(IHXActivity* activity) noexcept override {
        return GuardHXCall([&] { Get().Remove(RequireCompanionOwner<IHXActivity_>(activity, "ActivityList.Remove")); });
    }
    HXRESULT IndexOf(IHXActivity* activity, int32_t* result) noexcept override {
        return GuardHXCall([&] {
            RequireOut(result, "ActivityList.IndexOf");
            *result = Get().IndexOf(RequireCompanionOwner<IHXActivity_>(activity, "ActivityList.IndexOf"));
        });
    }
};

class TActivityTreeCompanion : public TCompanion<IHXActivityTree, IHXActivityTree_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Childs(IHXActivityList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivityTree.Childs");
            *value = NewActivityListCompanion(Get().Childs());
        });
    }
    HXRESULT Assign_(IHXActivityTree* otherTree) noexcept override {
        return GuardHXCall(
            [&] { Get().Assign(RequireCompanionOwner<IHXActivityTree_>(otherTree, "ActivityTree.Assign_")); });
    }
    HXRESULT get_SourcesCount(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "ActivityTree.SourcesCount");
            *value = Get().SourcesCount();
        });
    }
    HXRESULT get_Sources(int32_t index, IHXActivitySource** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivityTree.Sources");
            *value = NewActivitySourceCompanion(Get().Sources(index));
        });
    }
    HXRESULT get_LocalSource(IHXActivitySource** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivityTree.LocalSource");
            *value = NewActivitySourceCompanion(Get().LocalSource());
        });
    }
};

class TActivitySourceCompanion : public TCompanion<IHXActivitySource, IHXActivitySource_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_ID(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivitySource.ID");
            *value = ToHXString(Get().ID().ToString());
        });
    }
    HXRESULT get_URL(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "ActivitySource.URL");
            *value = ToHXString(Get().URL());
        });
    }
};

} // namespace

IHXActivity* NewActivityCompanion(const ActivityPtr& activity) {
    return activity ? new TActivityCompanion(activity) : nullptr;
}

IHXActivityList* NewActivityListCompanion(const ActivityListPtr& list) {
    return list ? new TActivityListCompanion(list) : nullptr;
}

IHXActivityTree* NewActivityTreeCompanion(const ActivityTreePtr& tree) {
    return tree ? new TActivityTreeCompanion(tree) : nullptr;
}

IHXActivitySource* NewActivitySourceCompanion(const ActivitySourcePtr& source) {
    return source ? new TActivitySourceCompanion(source) : nullptr;
}
