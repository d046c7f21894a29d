// The activity tree view: reloads that keep what the user sees, the commands on the selection,
// dragging (move and link) and selecting by locator.

#include "activities_ui/ActivityTreeView.h"

#include "model/ActivityTree.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

/// Work (Mail, Meetings (Planning, Review)), Errands, Breaks (a break, with Lunch).
class ActivityTreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        m_work = Add(nullptr, "Work");
        m_mail = Add(m_work, "Mail");
        m_meetings = Add(m_work, "Meetings");
        m_planning = Add(m_meetings, "Planning");
        m_review = Add(m_meetings, "Review");
        m_errands = Add(nullptr, "Errands");
        m_breaks = Add(nullptr, "Breaks");
        m_breaks->SetIsBreak(true);
        m_lunch = Add(m_breaks, "Lunch");
        m_lunch->SetIsBreak(true);
        m_view.SetShowRootNode(true);
        m_view.SetTree(m_tree);
        m_view.resize(300, 400);
        m_view.show();
    }
    void TearDown() override {
        m_view.SetTree(nullptr);
        m_tree->Cleanup();
        TMessageBoxSeam::ClearAnswers();
    }

    ActivityPtr Add(const ActivityPtr& parent, const char* name) {
        const ActivityListPtr list = parent ? parent->Childs() : m_tree->Childs();
        ActivityPtr activity = list->AddNew();
        activity->SetName(QString::fromUtf8(name));
        return activity;
    }

    /// The node of the path of names below the root node, expanding on the way.
    QTreeWidgetItem* Node(const QStringList& names) {
        QTreeWidgetItem* node = m_view.RootNode();
        for (const QString& name : names) {
            node->setExpanded(true);
            QTreeWidgetItem* found = nullptr;
            for (QTreeWidgetItem* child : m_view.ChildNodes(node))
                if (child->text(0) == name)
                    found = child;
            if (!found)
                return nullptr;
            node = found;
        }
        return node;
    }

    void Select(const QStringList& names) {
        QTreeWidgetItem* node = Node(names);
        ASSERT_NE(node, nullptr) << names.join(u'/').toStdString();
        m_view.TreeWidget()->setCurrentItem(node);
    }

    static QStringList Names(const ActivityListPtr& list) {
        QStringList names;
        for (int i = 0; i < list->Count(); ++i)
            names << list->Items(i)->Name();
        return names;
    }

    QStringList NodeTexts(QTreeWidgetItem* node) const {
        QStringList texts;
        for (QTreeWidgetItem* child : m_view.ChildNodes(node))
            texts << child->text(0);
        return texts;
    }

    std::shared_ptr<TActivityTree> m_tree = TActivityTree::Create();
    ActivityPtr m_work, m_mail, m_meetings, m_planning, m_review, m_errands, m_breaks, m_lunch;
    TActivityTreeView m_view;
};

TEST_F(ActivityTreeViewTest, ShowsTheTreeBelowTheRootNodeAndLoadsChildrenWhenExpanded) {
    ASSERT_NE(m_view.RootNode(), nullptr);
    EXPECT_EQ(m_view.RootNode()->text(0), QStringLiteral("Activities"));
    EXPECT_TRUE(m_view.RootNode()->isExpanded());
    EXPECT_EQ(NodeTexts(nullptr), (QStringList{"Work", "Errands", "Breaks"}));
    QTreeWidgetItem* work = m_view.ChildNodes(nullptr).at(0);
    EXPECT_EQ(work->childCount(), 0) << "children are created when the node is expanded";
    EXPECT_EQ(work->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    work->setExpanded(true);
    EXPECT_EQ(NodeTexts(work), (QStringList{"Mail", "Meetings"}));

    m_view.SetShowRootNode(false);
    EXPECT_EQ(m_view.RootNode(), nullptr);
    EXPECT_EQ(m_view.TreeWidget()->topLevelItemCount(), 3);
    EXPECT_EQ(m_view.TreeWidget()->topLevelItem(0)->text(0), QStringLiteral("Work"));
}

TEST_F(ActivityTreeViewTest, ChangesOfTheTreeKeepExpansionAndSelection) {
    Select({"Work", "Meetings", "Review"});
    QTreeWidgetItem* review = m_view.TreeWidget()->currentItem();
    // Changes made elsewhere reach the view through the tree's notifications.
    Add(m_meetings, "Retrospective");
    m_errands->SetName("Shopping");
    m_tree->Childs()->Remove(m_breaks);
    EXPECT_EQ(NodeTexts(nullptr), (QStringList{"Work", "Shopping"}));
    EXPECT_TRUE(Node({"Work"})->isExpanded());
    EXPECT_EQ(NodeTexts(Node({"Work", "Meetings"})), (QStringList{"Planning", "Review", "Retrospective"}));
    EXPECT_EQ(m_view.TreeWidget()->currentItem(), review) << "the node itself survived the reloads";
    EXPECT_EQ(m_view.SelectedActivity(), m_review);
}

TEST_F(ActivityTreeViewTest, NewActivitiesGoBelowOrBesideTheSelectionAndInheritTheBreakFlag) {
    struct Case {
        QStringList select;
        TActivityTreeView::Command command;
        QStringList listPath; // the list that gets the new activity (empty: the root list)
        int position;
        bool isBreak;
    };
    const std::vector<Case> cases = {
        {{}, TActivityTreeView::NewActivity, {}, 3, false},
        {{"Breaks"}, TActivityTreeView::NewActivity, {"Breaks"}, 1, true},
        {{"Work", "Mail"}, TActivityTreeView::NewActivityOnSameLevel, {"Work"}, 1, false},
        {{"Breaks", "Lunch"}, TActivityTreeView::NewActivityOnSameLevel, {"Breaks"}, 1, true},
        {{"Errands"}, TActivityTreeView::NewActivityOnSameLevel, {}, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.select.join(u'/').toStdString());
        if (c.select.isEmpty())
            m_view.TreeWidget()->setCurrentItem(m_view.RootNode());
        else
            Select(c.select);
        int changes = 0;
        const auto connection = QObject::connect(&m_view, &TActivityTreeView::TreeChanged, [&] { ++changes; });
        m_view.Execute(c.command);
        QObject::disconnect(connection);
        ActivityListPtr list = m_tree->Childs();
        for (const QString& name : c.listPath)
            for (int i = 0; i < list->Count(); ++i)
                if (list->Items(i)->Name() == name) {
                    list = list->Items(i)->Childs();
                    break;
                }
        const ActivityPtr added = list->Items(c.position);
        EXPECT_TRUE(added->Name().startsWith(QStringLiteral("New Activity")));
        EXPECT_EQ(added->IsBreak(), c.isBreak);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(m_view.SelectedActivity(), added);
        EXPECT_TRUE(m_view.IsEditing()) << "the new activity is being renamed";
        m_view.EndEditing(false);
    }
}

TEST_F(ActivityTreeViewTest, RenameTakesTheTypedTextAndABlankNameCancels) {
    Select({"Errands"});
    const auto renameTo = [&](const QString& text) {
        m_view.Execute(TActivityTreeView::Rename);
        auto* editor = qobject_cast<QLineEdit*>(m_view.RenameEditor());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        m_view.Execute(TActivityTreeView::Rename); // Rename while renaming accepts
        EXPECT_FALSE(m_view.IsEditing());
    };
    renameTo(QStringLiteral("   "));
    EXPECT_EQ(m_errands->Name(), QStringLiteral("Errands"));
    EXPECT_EQ(Node({"Errands"})->text(0), QStringLiteral("Errands"));
    renameTo(QStringLiteral(" Shopping "));
    EXPECT_EQ(m_errands->Name(), QStringLiteral(" Shopping "));

    // Cancel keeps the old name.
    m_view.Execute(TActivityTreeView::Rename);
    qobject_cast<QLineEdit*>(m_view.RenameEditor())->setText(QStringLiteral("Other"));
    m_view.EndEditing(false);
    EXPECT_EQ(m_errands->Name(), QStringLiteral(" Shopping "));
}

TEST_F(ActivityTreeViewTest, MovingStaysInsideTheListAndTheSelectionAndExpansionFollow) {
    Node({"Work", "Meetings"})->setExpanded(true);
    Select({"Work"});
    EXPECT_FALSE(m_view.Action(TActivityTreeView::MoveUp)->isEnabled()) << "the first one cannot go up";
    EXPECT_TRUE(m_view.Action(TActivityTreeView::MoveDown)->isEnabled());
    m_view.Execute(TActivityTreeView::MoveDown);
    EXPECT_EQ(Names(m_tree->Childs()), (QStringList{"Errands", "Work", "Breaks"}));
    EXPECT_EQ(NodeTexts(nullptr), (QStringList{"Errands", "Work", "Breaks"}));
    EXPECT_EQ(m_view.SelectedActivity(), m_work);
    EXPECT_TRUE(m_view.ChildNodes(nullptr).at(1)->isExpanded());
    EXPECT_TRUE(m_view.ChildNodes(m_view.ChildNodes(nullptr).at(1)).at(1)->isExpanded()) << "Meetings too";
    m_view.Execute(TActivityTreeView::MoveDown);
    EXPECT_FALSE(m_view.Action(TActivityTreeView::MoveDown)->isEnabled()) << "the last one cannot go down";
    m_view.Execute(TActivityTreeView::MoveDown);
    EXPECT_EQ(Names(m_tree->Childs()), (QStringList{"Errands", "Breaks", "Work"}));
}

TEST_F(ActivityTreeViewTest, SwitchBreakSetsTheWholeSubtree) {
    Select({"Work"});
    EXPECT_FALSE(m_view.Action(TActivityTreeView::SwitchBreak)->isChecked());
    m_view.Execute(TActivityTreeView::SwitchBreak);
    EXPECT_TRUE(m_view.Action(TActivityTreeView::SwitchBreak)->isChecked());
    for (const ActivityPtr& activity : {m_work, m_mail, m_meetings, m_planning, m_review})
        EXPECT_TRUE(activity->IsBreak()) << activity->Name().toStdString();
    EXPECT_EQ(Node({"Work"})->icon(0).cacheKey(), Node({"Breaks"})->icon(0).cacheKey()) << "the break image";
}

TEST_F(ActivityTreeViewTest, CtrlDragLinksDeleteRemovesOnePlaceAndTheLastPlaceRemovesTheActivity) {
    // Ctrl+drag Meetings onto Errands: a second place for the same activity.
    ASSERT_TRUE(m_view.Drop(Node({"Work", "Meetings"}), Node({"Errands"}), true));
    EXPECT_EQ(Names(m_work->Childs()), (QStringList{"Mail", "Meetings"}));
    EXPECT_EQ(Names(m_errands->Childs()), (QStringList{"Meetings"}));
    EXPECT_EQ(m_view.SelectedActivity(), m_meetings);
    EXPECT_EQ(m_view.TreeWidget()->currentItem()->parent(), Node({"Errands"})) << "selected under the target";
    for (const QStringList& path :
         {QStringList{"Work", "Meetings"}, QStringList{"Errands", "Meetings"},
          QStringList{"Work", "Meetings", "Review"}, QStringList{"Errands", "Meetings", "Planning"}})
        EXPECT_TRUE(TActivityTreeView::HasLinkOverlay(Node(path))) << path.join(u'/').toStdString();
    EXPECT_FALSE(TActivityTreeView::HasLinkOverlay(Node({"Work"})));
    EXPECT_FALSE(TActivityTreeView::HasLinkOverlay(Node({"Work", "Mail"})));

    // Deleting the place under Errands keeps the activity under Work, without the overlay.
    Select({"Errands", "Meetings"});
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    m_view.Execute(TActivityTreeView::Delete);
    ASSERT_TRUE(TMessageBoxSeam::Last().has_value());
    EXPECT_EQ(TMessageBoxSeam::Last()->text, QStringLiteral("Do you want to delete activity \"Meetings\"?"));
    EXPECT_EQ(m_errands->Childs()->Count(), 0);
    EXPECT_EQ(m_tree->FindActivity(m_meetings->ID()), m_meetings);
    EXPECT_FALSE(TActivityTreeView::HasLinkOverlay(Node({"Work", "Meetings"})));

    // No keeps it; Yes on the last place removes it with its children.
    Select({"Work", "Meetings"});
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    m_view.Execute(TActivityTreeView::Delete);
    EXPECT_EQ(Names(m_work->Childs()), (QStringList{"Mail", "Meetings"}));
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    m_view.Execute(TActivityTreeView::Delete);
    EXPECT_EQ(Names(m_work->Childs()), (QStringList{"Mail"}));
    const TGUID planning = m_planning->ID();
    EXPECT_EQ(m_tree->FindActivity(m_meetings->ID()), nullptr);
    EXPECT_EQ(m_tree->FindActivity(planning), nullptr) << "orphaned children go too";
    EXPECT_EQ(NodeTexts(Node({"Work"})), (QStringList{"Mail"}));
}

TEST_F(ActivityTreeViewTest, APlainDragMovesToTheTopOfTheTarget) {
    ASSERT_TRUE(m_view.Drop(Node({"Errands"}), Node({"Work"}), false));
    EXPECT_EQ(Names(m_tree->Childs()), (QStringList{"Work", "Breaks"}));
    EXPECT_EQ(Names(m_work->Childs()), (QStringList{"Errands", "Mail", "Meetings"}));
    EXPECT_FALSE(TActivityTreeView::HasLinkOverlay(Node({"Work", "Errands"})));
    // Onto the root node: back to the top level, at its top.
    ASSERT_TRUE(m_view.Drop(Node({"Work", "Errands"}), m_view.RootNode(), false));
    EXPECT_EQ(Names(m_tree->Childs()), (QStringList{"Errands", "Work", "Breaks"}));
    EXPECT_EQ(Names(m_work->Childs()), (QStringList{"Mail", "Meetings"}));
}

TEST_F(ActivityTreeViewTest, DropsThatWouldMakeAnActivityItsOwnAncestorAreRefused) {
    // A second place of Meetings below Errands, to reach it from another branch too.
    ASSERT_TRUE(m_view.Drop(Node({"Work", "Meetings"}), Node({"Errands"}), true));
    struct Case {
        QStringList dragged;
        QStringList target;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {{"Work"}, {"Work"}, false},                            // onto itself
        {{"Work"}, {"Work", "Meetings", "Review"}, false},      // below itself
        {{"Errands", "Meetings"}, {"Work", "Meetings"}, false}, // another place of the same activity
        {{"Errands"}, {"Work", "Meetings", "Planning"}, false}, // below another place of its child
        {{"Work", "Mail"}, {"Errands", "Meetings"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dragged.join(u'/').toStdString() + " -> " + c.target.join(u'/').toStdString());
        EXPECT_EQ(m_view.CanDrop(Node(c.dragged), Node(c.target)), c.accepted);
    }
    EXPECT_FALSE(m_view.Drop(Node({"Work"}), Node({"Work", "Meetings", "Review"}), false));
    EXPECT_EQ(Names(m_tree->Childs()), (QStringList{"Work", "Errands", "Breaks"})) << "nothing changed";

    m_view.SetReadOnly(true);
    EXPECT_FALSE(m_view.CanDrop(Node({"Work", "Mail"}), Node({"Errands"}))) << "a read-only view takes no drops";
    EXPECT_FALSE(m_view.Action(TActivityTreeView::NewActivity)->isEnabled());
}

TEST_F(ActivityTreeViewTest, SelectedLocatorAndSelectLocatorFindTheSamePlace) {
    ASSERT_TRUE(m_view.Drop(Node({"Work", "Meetings"}), Node({"Errands"}), true));
    Select({"Errands", "Meetings", "Review"});
    const ActivityLocatorPtr locator = m_view.SelectedLocator();
    ASSERT_NE(locator, nullptr);
    EXPECT_EQ(locator->ID(), m_review->ID());
    EXPECT_EQ(locator->Path(), m_errands->ID().ToString() + u'/' + m_meetings->ID().ToString() + u'/');

    // Collapse everything and select from the locator: the Errands branch, not the Work one.
    m_view.SetShowRootNode(false);
    for (QTreeWidgetItem* node : m_view.ChildNodes(nullptr))
        node->setExpanded(false);
    ASSERT_TRUE(m_view.SelectLocator(locator));
    EXPECT_EQ(m_view.SelectedActivity(), m_review);
    EXPECT_EQ(m_view.TreeWidget()->currentItem()->parent()->parent()->text(0), QStringLiteral("Errands"));
    EXPECT_FALSE(m_view.TreeWidget()->topLevelItem(0)->isExpanded()) << "Work was not on the way";

    // A path that leads nowhere collapses what it opened.
    m_view.TreeWidget()->topLevelItem(1)->setExpanded(false);
    auto wrong = std::make_shared<TActivityLocator>();
    wrong->SetActivity(m_lunch);
    wrong->AddParentActivity(m_work->ID());
    EXPECT_FALSE(m_view.SelectLocator(wrong));
    EXPECT_FALSE(m_view.TreeWidget()->topLevelItem(0)->isExpanded());
}

TEST_F(ActivityTreeViewTest, ActionsFollowTheSelection) {
    m_view.TreeWidget()->setCurrentItem(m_view.RootNode());
    EXPECT_TRUE(m_view.Action(TActivityTreeView::NewActivity)->isEnabled());
    EXPECT_FALSE(m_view.Action(TActivityTreeView::NewActivityOnSameLevel)->isEnabled());
    EXPECT_FALSE(m_view.Action(TActivityTreeView::Rename)->isEnabled());
    EXPECT_FALSE(m_view.Action(TActivityTreeView::Delete)->isEnabled());
    Select({"Work", "Mail"});
    EXPECT_TRUE(m_view.Action(TActivityTreeView::Rename)->isEnabled());
    EXPECT_TRUE(m_view.Action(TActivityTreeView::Delete)->isEnabled());
    EXPECT_FALSE(m_view.Action(TActivityTreeView::Properties)->isEnabled()) << "nobody shows properties";
    m_view.SetPropertiesHandled(true);
    EXPECT_TRUE(m_view.Action(TActivityTreeView::Properties)->isEnabled());
    ActivityPtr asked;
    QObject::connect(&m_view, &TActivityTreeView::PropertiesRequested, [&](const ActivityPtr& a) { asked = a; });
    m_view.Execute(TActivityTreeView::Properties);
    EXPECT_EQ(asked, m_mail);
}

} // namespace
