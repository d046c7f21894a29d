#include "ModelTestSupport.h"

#include "model/Activity.h"
#include "model/ActivityImages.h"
#include "model/ActivityList.h"
#include "model/ActivitySource.h"
#include "model/DefaultActivities.h"
#include "model/PropertyList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

QString ActivityElement(const TGUID& id, const QString& name, const QList<TGUID>& childs = {}, bool isBreak = false) {
    QString text = QStringLiteral("<activity activityid=\"%1\" version=\"0\">").arg(id.ToString());
    if (!childs.isEmpty()) {
        text += QStringLiteral("<childs>");
        for (const auto& child : childs)
            text += QStringLiteral("<activityid activityid=\"%1\"/>").arg(child.ToString());
        text += QStringLiteral("</childs>");
    }
    text += QStringLiteral("<properties><property name=\"name\" type=\"string\" value=\"%1\"/>"
                           "<property name=\"isbreak\" type=\"boolean\" value=\"%2\"/></properties></activity>")
                .arg(name, isBreak ? QStringLiteral("true") : QStringLiteral("false"));
    return text;
}

QString RootElement(const QList<TGUID>& ids) {
    QString text = QStringLiteral("<rootactivities>");
    for (const auto& id : ids)
        text += QStringLiteral("<activityid activityid=\"%1\"/>").arg(id.ToString());
    return text + QStringLiteral("</rootactivities>");
}

QString Content(const QString& inner) {
    return QStringLiteral("<content>") + inner + QStringLiteral("</content>");
}

QStringList Names(const ActivityListPtr& list) {
    QStringList names;
    for (int i = 0; i < list->Count(); ++i)
        names << list->Items(i)->Name();
    return names;
}

/// Records the calls a tree makes to its listeners.
class RecordingListener : public IActivityTreeNotify {
public:
    explicit RecordingListener(QString tag = {}) : m_tag(std::move(tag)) {}
    void ActivityDeleted(const ActivityPtr& a) override { calls << m_tag + "deleted " + a->Name(); }
    void ActivityChanged(const ActivityPtr& a) override { calls << m_tag + "changed " + a->Name(); }
    void ChildsChanged(const ActivityPtr& a) override { calls << m_tag + "childs " + (a ? a->Name() : "root"); }
    void TreeAssigned() override { calls << m_tag + "assigned"; }
    QStringList calls;

private:
    QString m_tag;
};

class ThrowingListener : public RecordingListener {
public:
    void ActivityChanged(const ActivityPtr&) override { throw EVRNException(QStringLiteral("listener broke")); }
};

// Common (Meeting) and Breaks (Meeting, Lunch): Meeting appears under both parents.
const QString SharedMeetingFile = Content(RootElement({IdA, IdB}) + ActivityElement(IdA, "Common", {IdM}) +
                                          ActivityElement(IdB, "Breaks", {IdM, IdC}, true) +
                                          ActivityElement(IdM, "Meeting") + ActivityElement(IdC, "Lunch", {}, true));

} // namespace

TEST(ActivityTree, NewTreeHoldsLocalSourceAndThePseudoActivities) {
    TreeHolder tree(TActivityTree::Create());
    ASSERT_EQ(tree->SourcesCount(), 1);
    EXPECT_EQ(tree->LocalSource()->ID(), LocalActivitySourceID);
    EXPECT_TRUE(tree->LocalSource()->URL().isEmpty());
    EXPECT_EQ(tree->Childs()->Count(), 0);

    auto unknown = tree->UnknownActivity();
    auto unknownBreak = tree->UnknownBreakActivity();
    EXPECT_EQ(tree->FindActivity(UnknownActivityID), unknown);
    EXPECT_EQ(tree->FindActivity(UnknownBreakActivityID), unknownBreak);
    EXPECT_EQ(unknown->Name(), "<Unknown>");
    EXPECT_EQ(unknownBreak->Name(), "<Unknown break>");
    EXPECT_FALSE(unknown->IsBreak());
    EXPECT_TRUE(unknownBreak->IsBreak());
    EXPECT_EQ(unknown->ImageIndex(), 2);
    EXPECT_EQ(unknownBreak->ImageIndex(), 3);
    for (const auto& pseudo : {unknown, unknownBreak}) {
        EXPECT_FALSE(pseudo->IsStored());
        EXPECT_FALSE(pseudo->IsRemovable());
        EXPECT_TRUE(pseudo->IsReadOnly());
        EXPECT_EQ(pseudo->InstanceCount(), 1);
    }
}

TEST(ActivityTree, SettingsAreReadFromTheValuesWithFallbacks) {
    TreeHolder tree(TActivityTree::Create());
    auto activity = tree->Childs()->AddNew();
    activity->Values()->Remove(ActivityValueName);
    EXPECT_EQ(activity->Name(), "");
    SetDefaultActivityName(activity->ID(), "From the table");
    EXPECT_EQ(activity->Name(), "From the table");
    activity->SetName("Own name");
    EXPECT_EQ(activity->Name(), "Own name");
    ClearDefaultActivityNames();

    EXPECT_EQ(activity->ImageIndex(), 0);
    activity->SetIsBreak(true);
    EXPECT_EQ(activity->ImageIndex(), 1);
    activity->Values()->Items(ActivityValueImageIndex)->SetAsInteger(17);
    EXPECT_EQ(activity->ImageIndex(), 17);
    activity->Values()->Items(ActivityValueImageIndex)->SetAsInteger(-1);
    EXPECT_EQ(activity->ImageIndex(), 1) << "-1 stands for the default image: a break shows the break image";
    activity->Values()->Items(ActivityValueImageIndex)->SetAsInteger(17);

    activity->Values()->Items(ActivityValueIsBreak)->SetAsString("true");
    EXPECT_FALSE(activity->IsBreak()) << "a string is not a break flag";
    EXPECT_FALSE(activity->IsReadOnly());
    EXPECT_TRUE(activity->IsValid());
}

TEST(ActivityTree, InsertNewFindsAFreeName) {
    TreeHolder tree(TActivityTree::Create());
    auto list = tree->Childs();
    list->AddNew();
    list->AddNew();
    list->InsertNew(0);
    EXPECT_THAT(Names(list), ElementsAre("New Activity (3)", "New Activity", "New Activity (2)"));

    auto parent = list->Items(0);
    parent->Childs()->AddNew()->SetName("NEW ACTIVITY");
    EXPECT_EQ(parent->Childs()->AddNew()->Name(), "New Activity (2)") << "names compare without letter case";
    EXPECT_NE(list->Items(0)->ID(), list->Items(1)->ID());
}

TEST(ActivityTree, ListIndexOutOfRangeRaises) {
    TreeHolder tree(TActivityTree::Create());
    EXPECT_THROW(tree->Childs()->Items(0), EVRNListError);
    EXPECT_THROW(tree->Childs()->Insert(2, tree->UnknownActivity()), EVRNListError);
    EXPECT_THROW(tree->Sources(1), EVRNListError);
    const int activities = tree->Activities()->Count();
    EXPECT_THROW(tree->Childs()->InsertNew(1), EVRNListError);
    EXPECT_THROW(tree->Childs()->InsertNew(-1), EVRNListError);
    EXPECT_EQ(tree->Activities()->Count(), activities) << "a refused index leaves no new activity behind";
}

TEST(ActivitiesFile, ActivityUnderTwoParentsIsOneObject) {
    TreeHolder tree(LoadTree(SharedMeetingFile));
    auto common = tree->FindActivity(IdA);
    auto breaks = tree->FindActivity(IdB);
    auto meeting = tree->FindActivity(IdM);
    ASSERT_TRUE(common && breaks && meeting);
    EXPECT_THAT(Names(tree->Childs()), ElementsAre("Common", "Breaks"));
    EXPECT_EQ(common->Childs()->Items(0), meeting) << "the reference came before the element";
    EXPECT_EQ(breaks->Childs()->Items(0), meeting);
    EXPECT_EQ(meeting->Name(), "Meeting");
    EXPECT_TRUE(breaks->IsBreak());
    EXPECT_EQ(tree->Activities()->Count(), 4 + 2);

    tree->CountInstances();
    EXPECT_EQ(meeting->InstanceCount(), 2);
    EXPECT_EQ(common->InstanceCount(), 1);
}

TEST(ActivitiesFile, SavedFormWritesEachActivityOnceAndReadsBack) {
    TreeHolder tree(LoadTree(SharedMeetingFile));
    auto document = XMLCreateDocument("content");
    tree->SaveToXML(XMLDocumentElement(document));
    const QString text = XmlText(document);

    EXPECT_EQ(text.count("<activity "), 4) << "pseudo activities are never saved";
    EXPECT_EQ(text.count(QStringLiteral("<activity activityid=\"%1\"").arg(IdM.ToString())), 1);
    EXPECT_EQ(text.count(QStringLiteral("activityid=\"%1\"").arg(IdM.ToString())), 3) << "element and two childs";
    EXPECT_FALSE(text.contains(UnknownActivityID.ToString()));
    EXPECT_FALSE(text.contains("<source")) << "the local source is not written";

    TreeHolder copy(TActivityTree::Create());
    copy->LoadFromXML(XMLDocumentElement(document));
    auto meeting = copy->FindActivity(IdM);
    ASSERT_TRUE(meeting);
    EXPECT_EQ(copy->FindActivity(IdA)->Childs()->Items(0), meeting);
    EXPECT_EQ(copy->FindActivity(IdB)->Childs()->Items(0), meeting);
    EXPECT_THAT(Names(copy->FindActivity(IdB)->Childs()), ElementsAre("Meeting", "Lunch"));
    EXPECT_EQ(meeting->Source(), copy->LocalSource());
}

TEST(ActivitiesFile, ProcessingInstructionNamedLikeAnElementIsNotTakenForIt) {
    QString common = ActivityElement(IdA, QStringLiteral("Common"), {IdM});
    common.replace(QStringLiteral("<childs>"), QStringLiteral("<?childs note?><childs>"));
    TreeHolder tree(LoadTree(Content(common + ActivityElement(IdM, QStringLiteral("Meeting")) + RootElement({IdA}))));
    const auto meeting = tree->FindActivity(IdM);
    ASSERT_TRUE(meeting);
    EXPECT_THAT(Names(tree->FindActivity(IdA)->Childs()), ElementsAre("Meeting"));

    auto document = XMLCreateDocument("content");
    tree->SaveToXML(XMLDocumentElement(document));
    TreeHolder copy(TActivityTree::Create());
    copy->LoadFromXML(XMLDocumentElement(document));
    EXPECT_THAT(Names(copy->FindActivity(IdA)->Childs()), ElementsAre("Meeting"));
}

TEST(ActivitiesFile, SecondElementWithTheSameIdReplacesTheFirstInTheSameObject) {
    TreeHolder tree(LoadTree(Content(RootElement({IdA}) + ActivityElement(IdA, "First", {IdM}) +
                                     ActivityElement(IdA, "Second") + ActivityElement(IdM, "Meeting"))));
    auto a = tree->FindActivity(IdA);
    EXPECT_EQ(a->Name(), "Second");
    EXPECT_EQ(a->Childs()->Count(), 0);
    EXPECT_EQ(tree->Childs()->Items(0), a);
}

TEST(ActivitiesFile, BadElementsAreSkipped) {
    LogCapture log;
    const QString content =
        Content("<activity version=\"1\"><properties><property name=\"name\" type=\"string\" value=\"No id\"/>"
                "</properties></activity>"
                "<activity activityid=\"not a guid\"/>" +
                ActivityElement(UnknownActivityID, "Overwritten?") + "<something/>" +
                "<rootactivities><activityid activityid=\"garbage\"/><other activityid=\"" + IdA.ToString() +
                "\"/><activityid activityid=\"" + IdB.ToString() + "\"/></rootactivities>" +
                ActivityElement(IdB, "Good", {IdC}) + "<activity activityid=\"" + IdM.ToString() +
                "\" version=\"many\" sourceid=\"bad\"/>");
    TreeHolder tree(LoadTree(content));
    EXPECT_THAT(Names(tree->Childs()), ElementsAre("Good")) << "only well-formed activityid references count";
    EXPECT_EQ(tree->UnknownActivity()->Name(), "<Unknown>") << "pseudo activities do not read elements";
    auto placeholder = tree->FindActivity(IdC);
    ASSERT_TRUE(placeholder) << "a reference without element stays a placeholder";
    EXPECT_EQ(placeholder->Name(), "");
    auto m = tree->FindActivity(IdM);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Version(), 0);
    EXPECT_EQ(m->Source(), tree->LocalSource()) << "a malformed sourceid reads as the local source";
    EXPECT_EQ(tree->Activities()->Count(), 3 + 2);
}

TEST(ActivitiesFile, SourcesAreReadAndActivitiesOfOtherSourcesAreReadOnly) {
    const TGUID otherSource = TGUID::Constant("{12345678-1234-1234-1234-123456789ABC}");
    const QString content =
        Content(QStringLiteral("<source sourceid=\"%1\" url=\"first\"/><source sourceid=\"%1\" url=\"second\"/>"
                               "<activity activityid=\"%2\" version=\"7\" sourceid=\"%1\"/>")
                    .arg(otherSource.ToString(), IdA.ToString()) +
                RootElement({IdA}));
    TreeHolder tree(LoadTree(content));
    ASSERT_EQ(tree->SourcesCount(), 2);
    EXPECT_EQ(tree->Sources(1)->URL(), "second");
    auto a = tree->FindActivity(IdA);
    EXPECT_EQ(a->Source(), tree->Sources(1));
    EXPECT_TRUE(a->IsReadOnly());
    EXPECT_EQ(a->Version(), 7);

    auto document = XMLCreateDocument("content");
    tree->SaveToXML(XMLDocumentElement(document));
    const QString text = XmlText(document);
    EXPECT_EQ(text.count("<source "), 1);
    EXPECT_TRUE(text.contains("url=\"second\""));
    EXPECT_TRUE(text.contains("version=\"7\""));
}

TEST(ActivitiesFile, ActivityThatIsItsOwnAncestorLoadsWithoutTheClosingReference) {
    LogCapture log;
    // A -> B -> A, and C -> C.
    TreeHolder tree(LoadTree(Content(RootElement({IdA, IdC}) + ActivityElement(IdA, "A", {IdB}) +
                                     ActivityElement(IdB, "B", {IdA, IdM}) + ActivityElement(IdC, "C", {IdC}) +
                                     ActivityElement(IdM, "M"))));
    auto a = tree->FindActivity(IdA);
    auto b = tree->FindActivity(IdB);
    auto c = tree->FindActivity(IdC);
    EXPECT_THAT(Names(a->Childs()), ElementsAre("B"));
    EXPECT_THAT(Names(b->Childs()), ElementsAre("M")) << "the reference back to A closed the cycle";
    EXPECT_EQ(c->Childs()->Count(), 0);
    EXPECT_THAT(log.Text().toStdString(), HasSubstr((IdA.ToString() + " is its own ancestor").toStdString()));
    EXPECT_THAT(log.Text().toStdString(), HasSubstr((IdC.ToString() + " is its own ancestor").toStdString()));

    SetBreakRecursive(a, true); // walks the whole subtree and ends
    EXPECT_TRUE(tree->FindActivity(IdM)->IsBreak());
}

TEST(ActivityTree, RemoveOrphansDeletesInCascadeAndNotifiesParentFirst) {
    TreeHolder tree(LoadTree(SharedMeetingFile));
    RecordingListener listener;
    tree->AddNotify(&listener);
    auto breaks = tree->FindActivity(IdB);
    auto lunch = tree->FindActivity(IdC);
    tree->Childs()->Remove(breaks);
    tree->RemoveOrphans();
    tree->RemoveNotify(&listener);

    EXPECT_THAT(listener.calls, ElementsAre("childs root", "deleted Breaks", "deleted Lunch"));
    EXPECT_FALSE(tree->FindActivity(IdB));
    EXPECT_FALSE(tree->FindActivity(IdC));
    EXPECT_TRUE(tree->FindActivity(IdM)) << "Meeting is still under Common";
    EXPECT_TRUE(tree->UnknownActivity() && tree->FindActivity(UnknownActivityID));
    EXPECT_FALSE(breaks->IsValid());
    EXPECT_EQ(breaks->Childs()->Count(), 0);
    EXPECT_EQ(breaks->Values()->Count(), 0);
    EXPECT_FALSE(lunch->IsValid());
}

TEST(ActivityTree, ListenersAreCalledLastFirstAndAFailingOneIsLogged) {
    LogCapture log;
    TreeHolder tree(TActivityTree::Create());
    auto activity = tree->Childs()->AddNew();
    RecordingListener first("1:"), third("3:");
    ThrowingListener second;
    tree->AddNotify(&first);
    tree->AddNotify(&second);
    tree->AddNotify(&third);
    activity->SetName("Renamed");
    EXPECT_THAT(third.calls, ElementsAre("3:changed Renamed"));
    EXPECT_THAT(first.calls, ElementsAre("1:changed Renamed"));
    EXPECT_THAT(log.Text().toStdString(), HasSubstr("TActivityTree._NotifyChange: some call gave Exception"));
    EXPECT_THAT(log.Text().toStdString(), HasSubstr("listener broke"));

    tree->RemoveNotify(&third);
    tree->BeginUpdate();
    activity->SetIsBreak(true);
    tree->EndUpdate();
    EXPECT_THAT(first.calls, ElementsAre("1:changed Renamed")) << "no calls while updating";
    tree->RemoveNotify(&first);
    tree->RemoveNotify(&second);
}

TEST(ActivityTree, AssignCopiesByIdAndSendsOnlyTreeAssigned) {
    TreeHolder source(LoadTree(SharedMeetingFile));
    TreeHolder target(TActivityTree::Create());
    auto stale = target->Childs()->AddNew();
    RecordingListener listener;
    target->AddNotify(&listener);
    target->Assign(source.tree);
    target->RemoveNotify(&listener);

    EXPECT_THAT(listener.calls, ElementsAre("assigned"));
    EXPECT_FALSE(stale->IsValid());
    EXPECT_THAT(Names(target->Childs()), ElementsAre("Common", "Breaks"));
    auto meeting = target->FindActivity(IdM);
    ASSERT_TRUE(meeting);
    EXPECT_NE(meeting, source->FindActivity(IdM));
    EXPECT_EQ(target->FindActivity(IdA)->Childs()->Items(0), meeting);
    EXPECT_EQ(target->FindActivity(IdB)->Childs()->Items(0), meeting);
    EXPECT_EQ(meeting->Tree().get(), target.tree.get());
    EXPECT_EQ(meeting->Source(), target->LocalSource());
    EXPECT_EQ(target->UnknownActivity()->Name(), "<Unknown>");

    // Changing the copy leaves the original alone.
    meeting->SetName("Changed");
    EXPECT_EQ(source->FindActivity(IdM)->Name(), "Meeting");
}

TEST(ActivityTree, ReleasingATreeFreesItsCycles) {
    std::weak_ptr<TActivityTree> weakTree;
    std::weak_ptr<IHXActivity_> weakMeeting;
    ActivityPtr held;
    {
        auto tree = LoadTree(SharedMeetingFile);
        tree->FindActivity(IdM)->Childs()->Add(tree->FindActivity(IdC)); // shared again
        weakTree = tree;
        weakMeeting = tree->FindActivity(IdM);
        held = tree->FindActivity(IdA);
        ReleaseAndCleanup(tree);
    }
    EXPECT_TRUE(weakTree.expired());
    EXPECT_TRUE(weakMeeting.expired());
    EXPECT_FALSE(held->IsValid());
    EXPECT_EQ(held->Childs()->Count(), 0);
    EXPECT_FALSE(held->Tree());
}

TEST(ActivityTree, SetBreakRecursiveStopsAtActivitiesThatHaveTheFlag) {
    TreeHolder tree(TActivityTree::Create());
    auto top = tree->Childs()->AddNew();
    auto middle = top->Childs()->AddNew();
    auto below = middle->Childs()->AddNew();
    auto sibling = top->Childs()->AddNew();
    middle->SetIsBreak(true);
    SetBreakRecursive(top, true);
    EXPECT_TRUE(top->IsBreak());
    EXPECT_TRUE(sibling->IsBreak());
    EXPECT_FALSE(below->IsBreak()) << "the child of an activity that already had the flag is not visited";
    SetBreakRecursive(top, false);
    EXPECT_FALSE(middle->IsBreak());
    EXPECT_FALSE(below->IsBreak());
}

TEST(DefaultActivities, BuildsTheTreeWithNamesFromTheTable) {
    TreeHolder tree(TActivityTree::Create());
    BuildDefaultActivityTree(tree.tree);
    EXPECT_THAT(Names(tree->Childs()), ElementsAre("Common", "Projects", "Breaks"));
    auto common = tree->Childs()->Items(0);
    EXPECT_THAT(Names(common->Childs()), ElementsAre("Meeting", "Administration", "Travel", "Vacation"));
    EXPECT_THAT(Names(tree->Childs()->Items(1)->Childs()), ElementsAre("Add your projects here"));
    auto breaks = tree->Childs()->Items(2);
    EXPECT_THAT(Names(breaks->Childs()), ElementsAre("Lunch", "Private"));
    EXPECT_TRUE(breaks->IsBreak());
    EXPECT_TRUE(breaks->Childs()->Items(0)->IsBreak());
    EXPECT_EQ(breaks->Childs()->Items(0)->ImageIndex(), 1);
    EXPECT_FALSE(common->IsBreak());

    auto vacation = tree->FindActivity(TGUID::Constant("{EC164DE0-C147-4C02-9616-62DCA2BE2199}"));
    ASSERT_TRUE(vacation);
    EXPECT_EQ(vacation->ImageIndex(), 80);
    EXPECT_EQ(ActivityImageResourceName(vacation->ImageIndex()), "icon_activity_76");
    EXPECT_EQ(common->Values()->Find(ActivityValueName), nullptr) << "default names are not stored";

    // Another language fills the table differently; a stored name wins over it.
    SetDefaultActivityName(common->ID(), "Allgemein");
    EXPECT_EQ(common->Name(), "Allgemein");
    common->SetName("Mine");
    SetDefaultActivityName(common->ID(), "Général");
    EXPECT_EQ(common->Name(), "Mine");
    ClearDefaultActivityNames();
}

TEST(ActivityImages, NumberingOfTheSmallImageList) {
    EXPECT_EQ(ActivityImageResourceName(0), "icon_activity_default");
    EXPECT_EQ(ActivityImageResourceName(1), "SMALL_BREAKACTIVITY");
    EXPECT_EQ(ActivityImageResourceName(3), "SMALL_UNKNOWNBREAKACTIVITY");
    EXPECT_EQ(ActivityImageResourceName(4), "icon_activity_0");
    EXPECT_EQ(ActivityImageResourceName(90), "icon_activity_86");
    EXPECT_EQ(ActivityImageResourceName(91), "icon_activity_default");
    EXPECT_EQ(ActivityImageResourceName(-1), "icon_activity_default");

    const QStringList list = SmallImageListResources();
    EXPECT_EQ(list.size(), 4 + 1 + 1 + 4 + 87);
    EXPECT_EQ(list.at(4), "SMALL_TIMECATCH");
    EXPECT_EQ(list.at(SmallImageListPosition(80)), "icon_activity_76");
    EXPECT_EQ(list.at(SmallImageListPosition(0)), "icon_activity_default");
    EXPECT_EQ(SmallImageListPosition(500), SmallImageListFallbackPosition);
    EXPECT_EQ(ActivityToolbarResources().size(), 19);
}
