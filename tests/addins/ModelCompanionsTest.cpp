// The companions of properties, activities and locators as an add-in uses them: through the SDK
// interfaces only, against the program's own objects. Failures leave the program's message in the
// thread's error info and their out parameters null or unchanged; objects of an add-in are never
// taken for the program's.

#include "addins/ModelCompanions.h"
#include "addins/Companion.h"
#include "model/Activity.h"
#include "model/ActivityTree.h"
#include "model/DisplayInfo.h"
#include "model/PropertyList.h"
#include "support/SdkTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace HoraluxSDK;

namespace {

class AddInActivity : public AddInObject<IHXActivity> {
public:
    HXRESULT get_Name(HXBSTR*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_Name(HXBSTR) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_Values(IHXPropertyList**) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_ID(HXBSTR*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_InstanceCount(int32_t*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_InstanceCount(int32_t) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_IsBreak(HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_IsBreak(HXBOOL) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_IsReadOnly(HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_Childs(IHXActivityList**) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_TempStorage(IHXPropertyList**) noexcept override { return HX_E_NOTIMPL; }
};

class AddInLocator : public AddInObject<IHXActivityLocator> {
public:
    HXRESULT get_IsBreak(HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_IsBreak(HXBOOL) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT Eq(IHXActivityLocator*, HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT FindActivity(IHXActivityTree*, IHXActivity**, HoraluxSDK::TLocatorRelevance*) noexcept override {
        return HX_E_NOTIMPL;
    }
    HXRESULT GetActivityName(IHXActivityTree*, HXBSTR*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT GetActivityPathName(IHXActivityTree*, HXBSTR*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT SetActivity(IHXActivity*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT AddParentActivity(HXBSTR) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT Assign_(IHXActivityLocator*) noexcept override { return HX_E_NOTIMPL; }
};

class AddInProperty : public AddInObject<IHXProperty> {
public:
    HXRESULT get_DataType(HoraluxConstants*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsString(HXBSTR*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_AsString(HXBSTR) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsInteger(int32_t*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_AsInteger(int32_t) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsDateTime(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_AsDateTime(HXDATE) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsDouble(double*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_AsDouble(double) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsBoolean(HXBOOL*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_AsBoolean(HXBOOL) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsPropertyList(IHXPropertyList**) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_AsValueList(IHXPropertyValueList**) noexcept override { return HX_E_NOTIMPL; }
};

/// The property of that name in a property list companion.
HXRef<IHXProperty> Item(IHXPropertyList* list, const QString& name) {
    HXRef<IHXProperty> property;
    EXPECT_EQ(list->get_Items(HXText(name), property.Out()), HX_S_OK);
    return property;
}

HXRef<IHXPropertyList> Nested(IHXProperty* property) {
    HXRef<IHXPropertyList> list;
    EXPECT_EQ(property->get_AsPropertyList(list.Out()), HX_S_OK);
    return list;
}

QString NameOf(IHXActivity* activity) {
    HXBSTR name = nullptr;
    EXPECT_EQ(activity->get_Name(&name), HX_S_OK);
    return TakeText(name);
}

class PropertyCompanions : public testing::Test {
protected:
    std::shared_ptr<TPropertyList> m_options = std::make_shared<TPropertyList>();
    HXRef<IHXPropertyList> m_list{NewPropertyListCompanion(m_options)};
};

TEST_F(PropertyCompanions, ItemsTakesANameAndReachesNestedLists) {
    m_options->Items(QStringLiteral("general"))->AsPropertyList()->Items(QStringLiteral("width"))->SetAsInteger(7);
    m_options->Items(QStringLiteral("general"))
        ->AsPropertyList()
        ->Items(QStringLiteral("title"))
        ->SetAsString(QStringLiteral("Mine"));

    HXRef<IHXPropertyList> general = Nested(Item(m_list.get(), QStringLiteral("GENERAL")).get());
    int32_t width = 0;
    EXPECT_EQ(Item(general.get(), QStringLiteral("width"))->get_AsInteger(&width), HX_S_OK);
    EXPECT_EQ(width, 7);
    HXBSTR title = nullptr;
    EXPECT_EQ(Item(general.get(), QStringLiteral("title"))->get_AsString(&title), HX_S_OK);
    EXPECT_EQ(TakeText(title), QStringLiteral("Mine"));

    // A change through the companion is what the program reads.
    EXPECT_EQ(Item(general.get(), QStringLiteral("width"))->put_AsInteger(42), HX_S_OK);
    EXPECT_EQ(m_options->Items(QStringLiteral("general"))->AsPropertyList()->Find(QStringLiteral("width"))->AsInteger(),
              42);

    // Find never adds a name; Items does.
    HXRef<IHXProperty> missing;
    EXPECT_EQ(general->Find(HXText(QStringLiteral("height")), missing.Out()), HX_S_OK);
    EXPECT_FALSE(missing);
    int32_t count = 0;
    EXPECT_EQ(general->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 2);
    HoraluxConstants type = HoraluxSDK::hxpdtString;
    EXPECT_EQ(Item(general.get(), QStringLiteral("height"))->get_DataType(&type), HX_S_OK);
    EXPECT_EQ(type, HoraluxSDK::hxpdtUnused);
    EXPECT_EQ(general->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 3);
    int32_t changed = -5;
    EXPECT_EQ(general->get_Changed(&changed), HX_S_OK);
    EXPECT_EQ(changed, 1);
}

TEST_F(PropertyCompanions, AGetterOfAnotherTypeFailsWithTheProgramsMessage) {
    m_options->Items(QStringLiteral("text"))->SetAsString(QStringLiteral("abc"));
    m_options->Items(QStringLiteral("number"))->SetAsInteger(3);
    HXRef<IHXProperty> text = Item(m_list.get(), QStringLiteral("text"));
    HXRef<IHXProperty> number = Item(m_list.get(), QStringLiteral("number"));
    struct Row {
        const char* member;
        std::function<HXRESULT()> call;
        std::function<bool()> outUnchanged;
        QString message;
    };
    int32_t integer = 99;
    double real = 9.5;
    HXDATE date = 1.25;
    HXBOOL boolean = 7;
    HXBSTR string = nullptr;
    const std::vector<Row> rows = {
        {"AsInteger", [&] { return text->get_AsInteger(&integer); }, [&] { return integer == 99; },
         QStringLiteral("Wrong data type. Property data type is string and requested was integer.")},
        {"AsDouble", [&] { return text->get_AsDouble(&real); }, [&] { return real == 9.5; },
         QStringLiteral("Wrong data type. Property data type is string and requested was double.")},
        {"AsDateTime", [&] { return text->get_AsDateTime(&date); }, [&] { return date == 1.25; },
         QStringLiteral("Wrong data type. Property data type is string and requested was datetime.")},
        {"AsBoolean", [&] { return text->get_AsBoolean(&boolean); }, [&] { return boolean == 7; },
         QStringLiteral("Wrong data type. Property data type is string and requested was boolean.")},
        {"AsString", [&] { return number->get_AsString(&string); }, [&] { return string == nullptr; },
         QStringLiteral("Wrong data type. Property data type is integer and requested was string.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.member);
        EXPECT_EQ(row.call(), HX_E_FAIL);
        EXPECT_EQ(TakeErrorDescription(), row.message);
        EXPECT_TRUE(row.outUnchanged());
    }
    EXPECT_EQ(m_options->Find(QStringLiteral("text"))->AsString(), QStringLiteral("abc"));
}

TEST_F(PropertyCompanions, ValueListsAddItemsAndRefuseAnIndexOutOfRange) {
    HXRef<IHXPropertyValueList> values;
    ASSERT_EQ(Item(m_list.get(), QStringLiteral("recent"))->get_AsValueList(values.Out()), HX_S_OK);
    HXRef<IHXProperty> first;
    ASSERT_EQ(values->AddItem(first.Out()), HX_S_OK);
    EXPECT_EQ(first->put_AsDouble(2.5), HX_S_OK);
    EXPECT_EQ(m_options->Find(QStringLiteral("recent"))->AsValueList()->Items(0)->AsDouble(), 2.5);

    HXRef<IHXProperty> again;
    EXPECT_EQ(values->get_Items(0, again.Out()), HX_S_OK);
    double value = 0;
    EXPECT_EQ(again->get_AsDouble(&value), HX_S_OK);
    EXPECT_EQ(value, 2.5);

    HXRef<IHXProperty> beyond;
    EXPECT_EQ(values->get_Items(1, beyond.Out()), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("List index out of bounds (1)"));
    EXPECT_FALSE(beyond);
}

TEST_F(PropertyCompanions, NullOutParametersAreRefusedWithTheMembersName) {
    HXRef<IHXProperty> property = Item(m_list.get(), QStringLiteral("number"));
    HXRef<IHXPropertyValueList> values;
    ASSERT_EQ(Item(m_list.get(), QStringLiteral("values"))->get_AsValueList(values.Out()), HX_S_OK);
    const std::vector<std::pair<const char*, std::function<HXRESULT()>>> rows = {
        {"PropertyList.Count", [&] { return m_list->get_Count(nullptr); }},
        {"PropertyList.Items", [&] { return m_list->get_Items(HXText(QStringLiteral("number")), nullptr); }},
        {"Property.AsInteger", [&] { return property->get_AsInteger(nullptr); }},
        {"Property.AsString", [&] { return property->get_AsString(nullptr); }},
        {"PropertyValueList.AddItem", [&] { return values->AddItem(nullptr); }},
    };
    for (const auto& [member, call] : rows) {
        SCOPED_TRACE(member);
        EXPECT_EQ(call(), HX_E_FAIL);
        EXPECT_EQ(TakeErrorDescription(), QString::fromLatin1(member));
    }
    EXPECT_EQ(m_options->Find(QStringLiteral("values"))->AsValueList()->Count(), 0);
}

TEST_F(PropertyCompanions, PutItemsSharesAProgramPropertyAndNullRemovesTheName) {
    m_options->Items(QStringLiteral("source"))->SetAsInteger(5);
    HXRef<IHXProperty> source = Item(m_list.get(), QStringLiteral("source"));
    EXPECT_EQ(m_list->put_Items(HXText(QStringLiteral("alias")), source.get()), HX_S_OK);
    EXPECT_EQ(m_options->Find(QStringLiteral("alias")), m_options->Find(QStringLiteral("source")));

    EXPECT_EQ(m_list->put_Items(HXText(QStringLiteral("alias")), nullptr), HX_S_OK);
    EXPECT_EQ(m_options->Find(QStringLiteral("alias")), nullptr);
    EXPECT_NE(m_options->Find(QStringLiteral("source")), nullptr);
}

TEST_F(PropertyCompanions, AListCannotBePutInsideItself) {
    HXRef<IHXProperty> outer = Item(m_list.get(), QStringLiteral("outer"));
    HXRef<IHXPropertyList> inner = Nested(outer.get());
    HXRef<IHXPropertyValueList> values;
    ASSERT_EQ(Item(inner.get(), QStringLiteral("rows"))->get_AsValueList(values.Out()), HX_S_OK);
    HXRef<IHXProperty> row;
    ASSERT_EQ(values->AddItem(row.Out()), HX_S_OK);
    HXRef<IHXPropertyList> deepest = Nested(row.get());

    for (IHXPropertyList* target : {inner.get(), deepest.get()}) {
        EXPECT_EQ(target->put_Items(HXText(QStringLiteral("loop")), outer.get()), HX_E_FAIL);
        EXPECT_EQ(TakeErrorDescription(),
                  QStringLiteral("PropertyList.Items: the property holds this list; a list cannot contain itself"));
        HXRef<IHXProperty> loop;
        EXPECT_EQ(target->Find(HXText(QStringLiteral("loop")), loop.Out()), HX_S_OK);
        EXPECT_FALSE(loop);
    }
    // Beside itself is fine.
    EXPECT_EQ(m_list->put_Items(HXText(QStringLiteral("twin")), outer.get()), HX_S_OK);
}

/// A tree with one top activity "Work"; released with its cleanup.
class ActivityCompanions : public testing::Test {
protected:
    ActivityCompanions() {
        m_work = m_tree->Childs()->AddNew();
        m_work->SetName(QStringLiteral("Work"));
    }
    ~ActivityCompanions() override {
        m_work.reset();
        ReleaseAndCleanup(m_tree);
    }

    HXRef<IHXActivity> Work() {
        HXRef<IHXActivityList> top;
        EXPECT_EQ(m_sdkTree->get_Childs(top.Out()), HX_S_OK);
        HXRef<IHXActivity> work;
        EXPECT_EQ(top->get_Items(0, work.Out()), HX_S_OK);
        return work;
    }

    std::shared_ptr<TActivityTree> m_tree = TActivityTree::Create();
    ActivityPtr m_work;
    HXRef<IHXActivityTree> m_sdkTree{NewActivityTreeCompanion(m_tree)};
};

/// Records which lists the tree reports as changed.
class ChildsListener : public IActivityTreeNotify {
public:
    void ActivityDeleted(const ActivityPtr&) override {}
    void ActivityChanged(const ActivityPtr&) override {}
    void ChildsChanged(const ActivityPtr& activity) override { owners.push_back(activity); }
    void TreeAssigned() override {}
    std::vector<ActivityPtr> owners;
};

TEST_F(ActivityCompanions, ChildsIsTheActivitysListAndTheTreeSeesItsChanges) {
    ChildsListener listener;
    m_tree->AddNotify(&listener);
    HXRef<IHXActivity> work = Work();
    EXPECT_EQ(NameOf(work.get()), QStringLiteral("Work"));
    HXRef<IHXActivityList> childs;
    ASSERT_EQ(work->get_Childs(childs.Out()), HX_S_OK);

    HXRef<IHXActivity> first;
    HXRef<IHXActivity> second;
    ASSERT_EQ(childs->AddNew(first.Out()), HX_S_OK);
    ASSERT_EQ(childs->AddNew(second.Out()), HX_S_OK);
    EXPECT_EQ(NameOf(first.get()), QStringLiteral("New Activity"));
    EXPECT_EQ(NameOf(second.get()), QStringLiteral("New Activity (2)"));
    EXPECT_EQ(m_work->Childs()->Count(), 2);
    ASSERT_FALSE(listener.owners.empty());
    EXPECT_EQ(listener.owners.back(), m_work);

    HXRef<IHXActivity> item;
    ASSERT_EQ(childs->get_Items(1, item.Out()), HX_S_OK);
    HXBSTR itemId = nullptr;
    HXBSTR secondId = nullptr;
    EXPECT_EQ(item->get_ID(&itemId), HX_S_OK);
    EXPECT_EQ(second->get_ID(&secondId), HX_S_OK);
    const QString id = TakeText(secondId);
    EXPECT_EQ(TakeText(itemId), id);
    EXPECT_NE(m_tree->FindActivity(TGUID::FromString(id)), nullptr);

    HXBOOL contains = HX_FALSE;
    int32_t index = -7;
    EXPECT_EQ(childs->Contains(first.get(), &contains), HX_S_OK);
    EXPECT_EQ(contains, HX_TRUE);
    EXPECT_EQ(childs->IndexOf(second.get(), &index), HX_S_OK);
    EXPECT_EQ(index, 1);

    listener.owners.clear();
    EXPECT_EQ(childs->Remove(first.get()), HX_S_OK);
    EXPECT_EQ(childs->Contains(first.get(), &contains), HX_S_OK);
    EXPECT_EQ(contains, HX_FALSE);
    EXPECT_EQ(childs->IndexOf(first.get(), &index), HX_S_OK);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(m_work->Childs()->Count(), 1);
    ASSERT_EQ(listener.owners.size(), 1U);
    EXPECT_EQ(listener.owners.front(), m_work);

    HXRef<IHXActivity> beyond;
    EXPECT_EQ(childs->get_Items(5, beyond.Out()), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("List index out of bounds (5)"));
    EXPECT_FALSE(beyond);
    const int activities = m_tree->Activities()->Count();
    EXPECT_EQ(childs->InsertNew(2, beyond.Out()), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("List index out of bounds (2)"));
    EXPECT_FALSE(beyond);
    EXPECT_EQ(m_tree->Activities()->Count(), activities) << "no stray activity in the tree";
    m_tree->RemoveNotify(&listener);
}

TEST_F(ActivityCompanions, ValuesNameAndBreakFlagAreTheActivitys) {
    HXRef<IHXActivity> work = Work();
    EXPECT_EQ(work->put_Name(HXText(QStringLiteral("Office"))), HX_S_OK);
    EXPECT_EQ(work->put_IsBreak(HX_TRUE), HX_S_OK);
    EXPECT_EQ(m_work->Name(), QStringLiteral("Office"));
    EXPECT_TRUE(m_work->IsBreak());
    HXRef<IHXPropertyList> values;
    ASSERT_EQ(work->get_Values(values.Out()), HX_S_OK);
    HXBSTR name = nullptr;
    EXPECT_EQ(Item(values.get(), QStringLiteral("name"))->get_AsString(&name), HX_S_OK);
    EXPECT_EQ(TakeText(name), QStringLiteral("Office"));
    HXBOOL readOnly = HX_TRUE;
    EXPECT_EQ(work->get_IsReadOnly(&readOnly), HX_S_OK);
    EXPECT_EQ(readOnly, HX_FALSE);

    HXRef<IHXActivitySource> local;
    ASSERT_EQ(m_sdkTree->get_LocalSource(local.Out()), HX_S_OK);
    HXBSTR sourceId = nullptr;
    EXPECT_EQ(local->get_ID(&sourceId), HX_S_OK);
    EXPECT_EQ(TakeText(sourceId), m_tree->LocalSource()->ID().ToString());
    int32_t sources = 0;
    EXPECT_EQ(m_sdkTree->get_SourcesCount(&sources), HX_S_OK);
    HXRef<IHXActivitySource> beyond;
    EXPECT_EQ(m_sdkTree->get_Sources(sources, beyond.Out()), HX_E_FAIL);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());
    EXPECT_FALSE(beyond);
}

TEST_F(ActivityCompanions, ALocatorFindsItsActivityAndComparesWithAnother) {
    HXRef<IHXActivity> work = Work();
    HXRef<IHXActivityList> childs;
    ASSERT_EQ(work->get_Childs(childs.Out()), HX_S_OK);
    HXRef<IHXActivity> task;
    ASSERT_EQ(childs->AddNew(task.Out()), HX_S_OK);
    ASSERT_EQ(task->put_Name(HXText(QStringLiteral("Task"))), HX_S_OK);

    HXRef<IHXActivityLocator> locator{NewActivityLocatorCompanion(std::make_shared<TActivityLocator>())};
    ASSERT_EQ(locator->SetActivity(task.get()), HX_S_OK);
    HXBSTR workId = nullptr;
    ASSERT_EQ(work->get_ID(&workId), HX_S_OK);
    ASSERT_EQ(locator->AddParentActivity(HXText(TakeText(workId))), HX_S_OK);

    HXRef<IHXActivity> found;
    HoraluxSDK::TLocatorRelevance relevance = -1;
    ASSERT_EQ(locator->FindActivity(m_sdkTree.get(), found.Out(), &relevance), HX_S_OK);
    EXPECT_EQ(relevance, 1000);
    EXPECT_EQ(NameOf(found.get()), QStringLiteral("Task"));
    HXBSTR path = nullptr;
    EXPECT_EQ(locator->GetActivityPathName(m_sdkTree.get(), &path), HX_S_OK);
    EXPECT_EQ(TakeText(path), QStringLiteral("Work/Task"));

    // A path piece that is not a GUID is refused and the path stays as it was.
    EXPECT_EQ(locator->AddParentActivity(HXText(QStringLiteral("Work"))), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("invalid guid format: \"Work\""));
    EXPECT_EQ(locator->GetActivityPathName(m_sdkTree.get(), &path), HX_S_OK);
    EXPECT_EQ(TakeText(path), QStringLiteral("Work/Task"));

    HXRef<IHXActivityLocator> other{NewActivityLocatorCompanion(std::make_shared<TActivityLocator>())};
    HXBOOL equal = HX_TRUE;
    EXPECT_EQ(locator->Eq(other.get(), &equal), HX_S_OK);
    EXPECT_EQ(equal, HX_FALSE);
    ASSERT_EQ(other->Assign_(locator.get()), HX_S_OK);
    EXPECT_EQ(locator->Eq(other.get(), &equal), HX_S_OK);
    EXPECT_EQ(equal, HX_TRUE);
    ASSERT_EQ(other->put_IsBreak(HX_TRUE), HX_S_OK);
    EXPECT_EQ(locator->Eq(other.get(), &equal), HX_S_OK);
    EXPECT_EQ(equal, HX_FALSE);
    EXPECT_EQ(locator->Eq(nullptr, &equal), HX_S_OK);
    EXPECT_EQ(equal, HX_FALSE);

    // A locator whose activity is gone finds the unknown break activity, with relevance 0.
    ASSERT_EQ(childs->Remove(task.get()), HX_S_OK);
    m_tree->RemoveOrphans();
    ASSERT_EQ(other->FindActivity(m_sdkTree.get(), found.Out(), &relevance), HX_S_OK);
    EXPECT_EQ(relevance, 0);
    HXBSTR foundId = nullptr;
    EXPECT_EQ(found->get_ID(&foundId), HX_S_OK);
    EXPECT_EQ(TakeText(foundId), UnknownBreakActivityID.ToString());
}

TEST_F(ActivityCompanions, ObjectsOfAnAddInAreRefused) {
    AddInActivity activity;
    AddInLocator foreignLocator;
    AddInProperty property;
    HXRef<IHXActivity> work = Work();
    HXRef<IHXActivityList> top;
    ASSERT_EQ(m_sdkTree->get_Childs(top.Out()), HX_S_OK);
    HXRef<IHXActivityLocator> locator{NewActivityLocatorCompanion(std::make_shared<TActivityLocator>())};
    HXRef<IHXPropertyList> values;
    ASSERT_EQ(work->get_Values(values.Out()), HX_S_OK);

    HXBOOL flag = 7;
    int32_t index = 7;
    struct Row {
        const char* member;
        std::function<HXRESULT()> call;
    };
    const std::vector<Row> rows = {
        {"ActivityList.Contains", [&] { return top->Contains(&activity, &flag); }},
        {"ActivityList.IndexOf", [&] { return top->IndexOf(&activity, &index); }},
        {"ActivityList.Remove", [&] { return top->Remove(&activity); }},
        {"ActivityLocator.Eq", [&] { return locator->Eq(&foreignLocator, &flag); }},
        {"ActivityLocator.SetActivity", [&] { return locator->SetActivity(&activity); }},
        {"ActivityLocator.Assign_", [&] { return locator->Assign_(&foreignLocator); }},
        {"PropertyList.Items", [&] { return values->put_Items(HXText(QStringLiteral("name")), &property); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.member);
        EXPECT_EQ(row.call(), HX_E_FAIL);
        EXPECT_EQ(TakeErrorDescription(),
                  QString::fromLatin1(row.member) + QStringLiteral(": not an object of this program"));
    }
    EXPECT_EQ(flag, 7);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(m_tree->Childs()->Count(), 1);
    EXPECT_EQ(m_work->Name(), QStringLiteral("Work"));
    EXPECT_EQ(activity.references, 1U);
    EXPECT_EQ(foreignLocator.references, 1U);
    EXPECT_EQ(property.references, 1U);

    // A null activity is a missing argument, not a member of any list.
    EXPECT_EQ(top->Contains(nullptr, &flag), HX_E_FAIL);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());
}

TEST_F(ActivityCompanions, CompanionOwnerAnswersOnlyForItsOwnKind) {
    HXRef<IHXActivity> work = Work();
    AddInActivity foreign;
    EXPECT_EQ(CompanionOwner<IHXActivity_>(work.get()), m_work);
    EXPECT_EQ(CompanionOwner<IHXProperty_>(work.get()), nullptr);
    EXPECT_EQ(CompanionOwner<IHXActivityTree_>(work.get()), nullptr);
    EXPECT_EQ(CompanionOwner<IHXActivityTree_>(m_sdkTree.get()), m_tree);
    EXPECT_EQ(CompanionOwner<IHXActivity_>(&foreign), nullptr);
    EXPECT_EQ(CompanionOwner<IHXActivity_>(nullptr), nullptr);
    EXPECT_EQ(foreign.references, 1U);

    // The companion's own interface, asked for through IHXUnknown, unwraps as well.
    HXRef<IHXUnknown> unknown;
    ASSERT_EQ(work->QueryInterface(IHXUnknown::IID, reinterpret_cast<void**>(unknown.Out())), HX_S_OK);
    EXPECT_EQ(CompanionOwner<IHXActivity_>(unknown.get()), m_work);
}

TEST(ModelCompanionLifetime, ACompanionKeepsItsObjectAfterTheProgramLetItGo) {
    auto list = std::make_shared<TPropertyList>();
    list->Items(QStringLiteral("kept"))->SetAsInteger(1);
    const std::weak_ptr<TPropertyList> watch = list;
    HXRef<IHXPropertyList> companion{NewPropertyListCompanion(list)};
    list.reset();
    ASSERT_FALSE(watch.expired());
    int32_t value = 0;
    EXPECT_EQ(Item(companion.get(), QStringLiteral("kept"))->get_AsInteger(&value), HX_S_OK);
    EXPECT_EQ(value, 1);
    companion.Reset();
    EXPECT_TRUE(watch.expired());

    auto history = std::make_shared<TActivityLocatorHistoryList>(3);
    const std::weak_ptr<TActivityLocatorHistoryList> watchHistory = history;
    HXRef<IHXActivityLocatorHistoryList> sdkHistory{NewActivityLocatorHistoryListCompanion(history)};
    history.reset();
    HXRef<IHXActivityLocator> added;
    EXPECT_EQ(sdkHistory->AddNew(added.Out()), HX_S_OK);
    sdkHistory.Reset();
    EXPECT_TRUE(watchHistory.expired());
    HXBOOL isBreak = HX_TRUE;
    EXPECT_EQ(added->get_IsBreak(&isBreak), HX_S_OK) << "the locator outlives its list";
    EXPECT_EQ(isBreak, HX_FALSE);
}

TEST(LocatorListCompanions, ItemsRemoveAndTheValueListFormRoundTrip) {
    auto locators = std::make_shared<TActivityLocatorList>();
    HXRef<IHXActivityLocatorList> list{NewActivityLocatorListCompanion(locators)};
    HXRef<IHXActivityLocator> first;
    HXRef<IHXActivityLocator> second;
    ASSERT_EQ(list->AddNew(first.Out()), HX_S_OK);
    ASSERT_EQ(list->AddNew(second.Out()), HX_S_OK);
    ASSERT_EQ(second->put_IsBreak(HX_TRUE), HX_S_OK);
    ASSERT_EQ(first->AddParentActivity(HXText(QStringLiteral("{4A534831-3844-48D3-94A0-5F4112554083}"))), HX_S_OK);

    auto store = std::make_shared<TPropertyList>();
    HXRef<IHXPropertyList> sdkStore{NewPropertyListCompanion(store)};
    HXRef<IHXPropertyValueList> saved;
    ASSERT_EQ(Item(sdkStore.get(), QStringLiteral("recent"))->get_AsValueList(saved.Out()), HX_S_OK);
    ASSERT_EQ(list->SaveToValueList(saved.get()), HX_S_OK);
    int32_t count = 0;
    EXPECT_EQ(saved->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 2);

    // The history keeps the newest MaxElements of what it loads.
    HXRef<IHXActivityLocatorHistoryList> history{
        NewActivityLocatorHistoryListCompanion(std::make_shared<TActivityLocatorHistoryList>(5))};
    ASSERT_EQ(history->LoadFromValueList(saved.get()), HX_S_OK);
    EXPECT_EQ(history->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 2);
    HXRef<IHXActivityLocator> loaded;
    ASSERT_EQ(history->get_Items(1, loaded.Out()), HX_S_OK);
    HXBOOL equal = HX_FALSE;
    EXPECT_EQ(loaded->Eq(second.get(), &equal), HX_S_OK);
    EXPECT_EQ(equal, HX_TRUE);
    EXPECT_EQ(history->put_MaxElements(1), HX_S_OK);
    int32_t maxElements = 0;
    EXPECT_EQ(history->get_MaxElements(&maxElements), HX_S_OK);
    EXPECT_EQ(maxElements, 1);
    EXPECT_EQ(history->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 1);

    ASSERT_EQ(list->Remove(first.get()), HX_S_OK);
    EXPECT_EQ(locators->Count(), 1);
    HXRef<IHXActivityLocator> beyond;
    EXPECT_EQ(list->get_Items(1, beyond.Out()), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("List index out of bounds (1)"));
    EXPECT_FALSE(beyond);

    // Loading needs the program's value list.
    EXPECT_EQ(list->LoadFromValueList(nullptr), HX_E_FAIL);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());
    EXPECT_EQ(locators->Count(), 1);
}

TEST(DisplayInfoCompanion, AnswersTheFontDirectlyAndLateBound) {
    auto info = std::make_shared<TDisplayInfo>();
    info->SetFontName(QStringLiteral("DejaVu Sans"));
    info->SetFontSize(11);
    HXRef<IHXDisplayInfo> companion{NewDisplayInfoCompanion(info)};
    int32_t size = 0;
    ASSERT_EQ(companion->get_FontSize(&size), HX_S_OK);
    EXPECT_EQ(size, 11);
    HXVARIANT name;
    HXVariantInit(&name);
    ASSERT_EQ(companion->Invoke(201, HX_DISPATCH_PROPERTYGET, nullptr, 0, &name), HX_S_OK);
    ASSERT_EQ(name.vt, HX_VT_BSTR);
    EXPECT_EQ(TakeText(name.value.bstrVal), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(companion->get_FontName(nullptr), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription().contains(QStringLiteral("DisplayInfo.FontName")), true);
}

} // namespace
