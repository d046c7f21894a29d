// The activity box: items for locators, the one temporary item, what selecting from code does,
// and texts that follow the tree.

#include "activities_ui/ActivityComboBox.h"
#include "activities_ui/ActivitySelectForm.h"
#include "activities_ui/ActivityTreeView.h"

#include "model/ActivityTree.h"
#include "model/PropertyInterfaces.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

ActivityLocatorPtr LocatorOf(const ActivityPtr& activity, const ActivityPtr& parent = nullptr) {
    auto locator = std::make_shared<TActivityLocator>();
    locator->SetActivity(activity);
    if (parent)
        locator->AddParentActivity(parent->ID());
    return locator;
}

/// Work (Mail, Meetings), Errands.
class ActivityComboBoxTest : public testing::Test {
protected:
    void SetUp() override {
        m_work = m_tree->Childs()->AddNew();
        m_work->SetName(QStringLiteral("Work"));
        m_mail = m_work->Childs()->AddNew();
        m_mail->SetName(QStringLiteral("Mail"));
        m_meetings = m_work->Childs()->AddNew();
        m_meetings->SetName(QStringLiteral("Meetings"));
        m_errands = m_tree->Childs()->AddNew();
        m_errands->SetName(QStringLiteral("Errands"));
        m_box.resize(400, 30);
        m_box.show();
        m_box.SetTree(m_tree);
        QObject::connect(&m_box, &TActivityComboBox::Changed, [this] { ++m_changes; });
    }
    void TearDown() override {
        m_box.SetTree(nullptr);
        m_tree->Cleanup();
    }

    QStringList Texts() const {
        QStringList texts;
        for (int i = 0; i < m_box.Count(); ++i)
            texts << m_box.ItemText(i) + (m_box.IsTemporary(i) ? QStringLiteral("*") : QString());
        return texts;
    }
    QString Selected() const { return m_box.SelectedIndex() < 0 ? QString() : m_box.ItemText(m_box.SelectedIndex()); }

    std::shared_ptr<TActivityTree> m_tree = TActivityTree::Create();
    ActivityPtr m_work, m_mail, m_meetings, m_errands;
    TActivityComboBox m_box;
    int m_changes = 0;
};

TEST_F(ActivityComboBoxTest, SelectingFromCodeKeepsOneTemporaryItemAndRaisesNoChange) {
    m_box.Add(LocatorOf(m_work));
    m_box.Add(LocatorOf(m_errands));
    EXPECT_EQ(m_box.Add(LocatorOf(m_work)), 1) << "an equal locator is not added twice";
    EXPECT_EQ(Texts(), (QStringList{"Errands", "Work"})) << "sorted by text";

    const auto unknown = std::make_shared<TActivityLocator>();
    unknown->LoadFromPropertyList([] {
        auto values = TActivityLocator().SaveAsPropertyList();
        values->Items(QStringLiteral("id"))->SetAsGUID(TGUID::Constant("{0F6A3B4C-1D2E-4F50-8A9B-0C1D2E3F4A5B}"));
        values->Items(QStringLiteral("name"))->SetAsString(QStringLiteral("Gone"));
        return values;
    }());
    struct Step {
        const char* what;
        ActivityLocatorPtr locator;
        QStringList texts;
        QString selected;
    };
    const std::vector<Step> steps = {
        {"a listed locator", LocatorOf(m_work), {"Errands", "Work"}, "Work"},
        {"an unlisted one becomes the temporary item", LocatorOf(m_mail, m_work), {"Errands", "Mail*", "Work"}, "Mail"},
        {"another one replaces it", LocatorOf(m_meetings, m_work), {"Errands", "Meetings*", "Work"}, "Meetings"},
        {"a locator of no activity in the tree", unknown, {"<Unknown>*", "Errands", "Work"}, "<Unknown>"},
        {"the empty locator selects the first item",
         std::make_shared<TActivityLocator>(),
         {"Errands", "Work"},
         "Errands"},
        {"none selects nothing", nullptr, {"Errands", "Work"}, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        m_box.SetSelectedLocator(step.locator);
        EXPECT_EQ(Texts(), step.texts) << Texts().join(u'|').toStdString();
        EXPECT_EQ(Selected(), step.selected);
    }
    EXPECT_EQ(m_changes, 0) << "selecting from code is no change of the user's";
}

TEST_F(ActivityComboBoxTest, WithoutATreeEveryItemShowsQuestionMarks) {
    TActivityComboBox treeless;
    treeless.Add(LocatorOf(m_work));
    treeless.SetSelectedLocator(LocatorOf(m_errands));
    ASSERT_EQ(treeless.Count(), 2);
    EXPECT_EQ(treeless.ItemText(0), QStringLiteral("???"));
    EXPECT_EQ(treeless.ItemText(1), QStringLiteral("???"));
    EXPECT_TRUE(treeless.ComboBox()->itemIcon(0).isNull());
}

TEST_F(ActivityComboBoxTest, TheTextsFollowTheTreeWhileTheBoxIsOpen) {
    m_box.SetShowPath(true);
    m_box.Add(LocatorOf(m_mail, m_work));
    m_box.Add(LocatorOf(m_errands));
    m_box.SetSelectedLocator(LocatorOf(m_mail, m_work));
    EXPECT_EQ(Texts(), (QStringList{"Errands", "Work/Mail"}));
    m_work->SetName(QStringLiteral("Project"));
    EXPECT_EQ(Texts(), (QStringList{"Errands", "Project/Mail"}));
    EXPECT_EQ(Selected(), QStringLiteral("Project/Mail")) << "the selection stays";

    // A deleted activity is resolved again: the item stays and shows the unknown activity.
    m_tree->Childs()->Remove(m_errands);
    m_tree->RemoveOrphans();
    QCoreApplication::processEvents();
    EXPECT_EQ(Texts(), (QStringList{"<Unknown>", "Project/Mail"}));
    EXPECT_EQ(m_changes, 0);
}

TEST_F(ActivityComboBoxTest, LongPathsAreShortenedAtTheirSeparators) {
    ActivityPtr parent = m_meetings;
    for (const char* name : {"Customer Alpha", "Quarterly Planning", "Preparation"}) {
        ActivityPtr child = parent->Childs()->AddNew();
        child->SetName(QString::fromLatin1(name));
        parent = child;
    }
    m_box.SetShowPath(true);
    m_box.resize(180, 30);
    auto locator = std::make_shared<TActivityLocator>();
    locator->SetActivity(parent);
    // The path of the deepest activity, from the top down.
    locator->AddParentActivity(m_meetings->Childs()->Items(0)->Childs()->Items(0)->ID());
    locator->AddParentActivity(m_meetings->Childs()->Items(0)->ID());
    locator->AddParentActivity(m_meetings->ID());
    locator->AddParentActivity(m_work->ID());
    m_box.Add(locator);
    const QString text = m_box.ItemText(0);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Work/")) || text.startsWith(QStringLiteral(".../")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("/.../")) || text.startsWith(QStringLiteral(".../")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("/Preparation"))) << text.toStdString();
    m_box.resize(2000, 30);
    EXPECT_EQ(m_box.ItemText(0), QStringLiteral("Work/Meetings/Customer Alpha/Quarterly Planning/Preparation"));
}

TEST_F(ActivityComboBoxTest, AddToTopMovesAnEqualItemAndKeepsItsSelection) {
    m_box.SetSorted(false);
    m_box.Add(LocatorOf(m_work));
    m_box.Add(LocatorOf(m_errands));
    m_box.SetSelectedLocator(LocatorOf(m_errands));
    m_box.AddToTop(LocatorOf(m_errands));
    EXPECT_EQ(Texts(), (QStringList{"Errands", "Work"}));
    EXPECT_EQ(m_box.SelectedIndex(), 0);
    m_box.AddToTop(LocatorOf(m_mail, m_work));
    EXPECT_EQ(Texts(), (QStringList{"Mail", "Errands", "Work"})) << "an unsorted box keeps the order it is given";
    EXPECT_EQ(Selected(), QStringLiteral("Errands"));
}

TEST_F(ActivityComboBoxTest, TheDialogChoosesAnActivityAndRaisesTheChange) {
    m_box.Add(LocatorOf(m_errands));
    m_box.SetSelectedLocator(LocatorOf(m_errands));
    TActivitySelectForm* seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<TActivitySelectForm*>(QApplication::activeModalWidget());
        if (!seen)
            return;
        EXPECT_EQ(seen->windowTitle(), QStringLiteral("Select Activity"));
        EXPECT_EQ(seen->size(), QSize(400, 300));
        EXPECT_EQ(seen->TreeView()->SelectedActivity(), m_errands) << "the box's activity is preselected";
        ASSERT_TRUE(seen->TreeView()->SelectLocator(LocatorOf(m_meetings, m_work)));
        seen->accept();
    });
    m_box.Button()->click();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(Selected(), QStringLiteral("Meetings"));
    EXPECT_TRUE(m_box.IsTemporary(m_box.SelectedIndex()));
    EXPECT_EQ(m_box.SelectedLocator()->Path(), m_work->ID().ToString() + u'/');
    EXPECT_EQ(m_changes, 1);

    // Cancel changes nothing.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<TActivitySelectForm*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    m_box.Button()->click();
    EXPECT_EQ(Selected(), QStringLiteral("Meetings"));
    EXPECT_EQ(m_changes, 1);
}

} // namespace
