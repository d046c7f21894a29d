#include "ModelTestSupport.h"

#include "foundation/VRNException.h"
#include "model/ActivityList.h"
#include "model/ActivityLocatorList.h"
#include "model/PropertyList.h"
#include "model/PropertyValueList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

QString Element(const TGUID& id, const QString& name, const QList<TGUID>& childs = {}, bool isBreak = false) {
    QString text = QStringLiteral("<activity activityid=\"%1\"><childs>").arg(id.ToString());
    for (const auto& child : childs)
        text += QStringLiteral("<activityid activityid=\"%1\"/>").arg(child.ToString());
    return text + QStringLiteral("</childs><properties><property name=\"name\" type=\"string\" value=\"%1\"/>"
                                 "<property name=\"isbreak\" type=\"boolean\" value=\"%2\"/></properties></activity>")
                      .arg(name, isBreak ? "true" : "false");
}

// Common (Meeting), Breaks (Lunch, Meeting): Meeting under two parents.
std::shared_ptr<TActivityTree> SampleTree() {
    return LoadTree("<content><rootactivities><activityid activityid=\"" + IdA.ToString() +
                    "\"/><activityid activityid=\"" + IdB.ToString() + "\"/></rootactivities>" +
                    Element(IdA, "Common", {IdM}) + Element(IdB, "Breaks", {IdC, IdM}, true) +
                    Element(IdC, "Lunch", {}, true) + Element(IdM, "Meeting") + "</content>");
}

/// A locator as a view builds it for the occurrence reached through parents (top-level first).
std::shared_ptr<TActivityLocator> LocatorFor(const ActivityPtr& activity, const QList<ActivityPtr>& parents) {
    auto locator = std::make_shared<TActivityLocator>();
    locator->SetActivity(activity);
    for (auto it = parents.rbegin(); it != parents.rend(); ++it)
        locator->AddParentActivity((*it)->ID());
    return locator;
}

} // namespace

TEST(ActivityLocator, NewLocatorIsEmpty) {
    TActivityLocator locator;
    EXPECT_TRUE(locator.ID().IsNull());
    EXPECT_TRUE(locator.Path().isEmpty());
    EXPECT_FALSE(locator.IsBreak());
    EXPECT_TRUE(locator.Name().isEmpty());
    EXPECT_FALSE(locator.Changed());
}

TEST(ActivityLocator, ChosenUnderTheSecondParentResolvesToThatPlace) {
    TreeHolder tree(SampleTree());
    auto meeting = tree->FindActivity(IdM);
    auto breaks = tree->FindActivity(IdB);
    auto locator = LocatorFor(meeting, {breaks});
    EXPECT_EQ(locator->Path(), IdB.ToString() + "/");
    EXPECT_TRUE(locator->Changed());
    EXPECT_EQ(locator->Name(), "Meeting");

    TLocatorRelevance relevance = -1;
    EXPECT_EQ(locator->FindActivity(tree.tree, &relevance), meeting);
    EXPECT_EQ(relevance, LocatorRelevanceFound);
    auto chain = locator->ResolvePath(tree.tree);
    ASSERT_TRUE(chain);
    ASSERT_EQ(chain->Count(), 2);
    EXPECT_EQ(chain->Items(0), breaks);
    EXPECT_EQ(chain->Items(1), meeting);
    EXPECT_EQ(locator->GetActivityPathName(tree.tree), "Breaks/Meeting");
    EXPECT_EQ(LocatorFor(meeting, {tree->FindActivity(IdA)})->GetActivityPathName(tree.tree), "Common/Meeting");
    EXPECT_EQ(LocatorFor(breaks, {})->GetActivityPathName(tree.tree), "Breaks");
}

TEST(ActivityLocator, PathNameAfterTheActivityMovedOrVanished) {
    TreeHolder tree(SampleTree());
    auto lunch = tree->FindActivity(IdC);
    auto breaks = tree->FindActivity(IdB);
    auto locator = LocatorFor(lunch, {breaks});
    EXPECT_EQ(locator->GetActivityPathName(tree.tree), "Breaks/Lunch");

    breaks->Childs()->Remove(lunch);
    tree->FindActivity(IdA)->Childs()->Add(lunch);
    EXPECT_EQ(locator->GetActivityPathName(tree.tree), ".../Lunch");
    EXPECT_FALSE(locator->ResolvePath(tree.tree));

    tree->FindActivity(IdA)->Childs()->Remove(lunch);
    tree->RemoveOrphans();
    TLocatorRelevance relevance = -1;
    EXPECT_EQ(locator->FindActivity(tree.tree, &relevance), tree->UnknownBreakActivity());
    EXPECT_EQ(relevance, LocatorRelevanceNotFound);
    EXPECT_EQ(locator->GetActivityPathName(tree.tree), ".../<Unknown break>");
    EXPECT_EQ(locator->Name(), "Lunch") << "the stored name outlives the activity";

    TActivityLocator unknown;
    EXPECT_EQ(unknown.FindActivity(tree.tree), tree->UnknownActivity());
    EXPECT_EQ(unknown.GetActivityPathName(tree.tree), "<Unknown>");
}

TEST(ActivityLocator, CorruptPathRaisesAConvertError) {
    TreeHolder tree(SampleTree());
    auto list = std::make_shared<TPropertyList>(30, 1);
    list->Items("id")->SetAsGUID(IdM);
    list->Items("path")->SetAsString("{not-a-guid}/");
    TActivityLocator locator;
    locator.LoadFromPropertyList(list);
    EXPECT_THROW(locator.GetActivityPathName(tree.tree), EVRNConvertError);
}

TEST(ActivityLocator, EqualityComparesIdPathAndBreakFlag) {
    TreeHolder tree(SampleTree());
    auto meeting = tree->FindActivity(IdM);
    auto underCommon = LocatorFor(meeting, {tree->FindActivity(IdA)});
    auto underBreaks = LocatorFor(meeting, {tree->FindActivity(IdB)});
    EXPECT_FALSE(underCommon->Eq(underBreaks)) << "two places of the same activity";

    auto list = underCommon->SaveAsPropertyList();
    list->Items("path")->SetAsString(underCommon->Path().toLower());
    list->Items("name")->SetAsString("Another name");
    auto lowerCase = std::make_shared<TActivityLocator>();
    lowerCase->LoadFromPropertyList(list);
    EXPECT_TRUE(underCommon->Eq(lowerCase));

    lowerCase->SetIsBreak(true);
    EXPECT_FALSE(underCommon->Eq(lowerCase));
    EXPECT_FALSE(underCommon->Eq(nullptr));
}

TEST(ActivityLocator, PropertyListFormAndChangedFlag) {
    TreeHolder tree(SampleTree());
    auto locator = LocatorFor(tree->FindActivity(IdC), {tree->FindActivity(IdB)});
    auto list = locator->SaveAsPropertyList();
    EXPECT_FALSE(locator->Changed());
    EXPECT_EQ(list->Items("id")->DataType(), hxpdtGUID);
    EXPECT_EQ(list->Items("id")->AsGUID(), IdC);
    EXPECT_EQ(list->Items("path")->AsString(), IdB.ToString() + "/");
    EXPECT_TRUE(list->Items("break")->AsBoolean());
    EXPECT_EQ(list->Items("name")->AsString(), "Lunch");

    TActivityLocator copy;
    copy.Assign(locator);
    EXPECT_TRUE(copy.Changed());
    EXPECT_FALSE(locator->Changed()) << "the source keeps its flag";
    EXPECT_TRUE(copy.Eq(locator));
    EXPECT_EQ(copy.Name(), "Lunch");

    // A string id is parsed; a text that is not a GUID raises and changes nothing.
    auto text = std::make_shared<TPropertyList>(30, 1);
    text->Items("id")->SetAsString(IdA.ToString());
    copy.LoadFromPropertyList(text);
    EXPECT_EQ(copy.ID(), IdA);
    EXPECT_FALSE(copy.IsBreak());
    EXPECT_FALSE(copy.Changed());
    text->Items("id")->SetAsString("abc");
    text->Items("name")->SetAsString("ignored");
    EXPECT_THROW(copy.LoadFromPropertyList(text), EVRNConvertError);
    EXPECT_EQ(copy.ID(), IdA);
    EXPECT_TRUE(copy.Name().isEmpty());
}

TEST(ActivityLocatorList, SavedAndLoadedLocatorsAreEqualAndKeepTheirNames) {
    TreeHolder tree(SampleTree());
    TActivityLocatorList list;
    list.AddNew()->Assign(LocatorFor(tree->FindActivity(IdM), {tree->FindActivity(IdB)}));
    list.AddNew()->Assign(LocatorFor(tree->FindActivity(IdC), {}));
    auto values = std::make_shared<TPropertyValueList>(1);
    values->AddItem()->SetAsString("stale");
    list.SaveToValueList(values);
    ASSERT_EQ(values->Count(), 2);
    EXPECT_EQ(values->Items(0)->DataType(), hxpdtPropertyList);

    TActivityLocatorList loaded;
    loaded.LoadFromValueList(values);
    ASSERT_EQ(loaded.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(loaded.Items(i)->Eq(list.Items(i)));
        EXPECT_EQ(loaded.Items(i)->Name(), list.Items(i)->Name());
    }
    loaded.Remove(loaded.Items(0));
    EXPECT_EQ(loaded.Count(), 1);
    EXPECT_THROW(loaded.Items(1), EVRNListError);
}

TEST(ActivityLocatorHistoryList, AddToHistoryMovesEqualEntriesToTheFrontAndTrims) {
    auto make = [](int n) {
        auto locator = std::make_shared<TActivityLocator>();
        auto values = std::make_shared<TPropertyList>(30, 1);
        values->Items("id")->SetAsGUID(TGUID::Constant(
            QStringLiteral("{00000000-0000-0000-0000-%1}").arg(n, 12, 10, QLatin1Char('0')).toLatin1().constData()));
        values->Items("name")->SetAsString(QString::number(n));
        locator->LoadFromPropertyList(values);
        return locator;
    };
    TActivityLocatorHistoryList history(10);
    for (int n = 1; n <= 10; ++n)
        history.AddToHistory(make(n));
    ASSERT_EQ(history.Count(), 10);
    EXPECT_EQ(history.Items(0)->Name(), "10");

    history.AddToHistory(make(8)); // the third entry
    EXPECT_EQ(history.Count(), 10);
    EXPECT_EQ(history.Items(0)->Name(), "8");
    EXPECT_EQ(history.Items(1)->Name(), "10");

    history.AddToHistory(make(11));
    EXPECT_EQ(history.Count(), 10);
    EXPECT_EQ(history.Items(0)->Name(), "11");
    EXPECT_EQ(history.Items(9)->Name(), "2") << "the oldest one was dropped";

    history.SetMaxElements(3);
    EXPECT_EQ(history.Count(), 3);
    auto values = std::make_shared<TPropertyValueList>(1);
    history.SaveToValueList(values);
    TActivityLocatorHistoryList shorter(2);
    shorter.LoadFromValueList(values);
    EXPECT_EQ(shorter.Count(), 2);
}

TEST(ActivityLocatorHistoryList, ZeroOrNegativeSizeKeepsNothing) {
    for (int size : {0, -5}) {
        TActivityLocatorHistoryList history(size);
        EXPECT_EQ(history.MaxElements(), 0);
        auto source = std::make_shared<TActivityLocator>();
        source->SetIsBreak(true);
        history.AddToHistory(source);
        EXPECT_EQ(history.Count(), 0);
        EXPECT_TRUE(history.AddNew()) << "the new locator is handed out and dropped";
        TActivityLocatorHistoryList other(4);
        other.AddNew();
        other.SetMaxElements(size);
        EXPECT_EQ(other.Count(), 0);
        EXPECT_EQ(other.MaxElements(), 0);
    }
}
