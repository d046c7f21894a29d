#include "app/MenuController.h"

#include "app/ApplicationInterfaces.h"
#include "foundation/VRNException.h"
#include "support/StubApplication.h"
#include "ui/Action.h"

#include <QHash>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

/// An application that only knows its actions.
class FakeApplication : public StubApplication {
public:
    std::shared_ptr<THXAction> Add(const QString& caption, int position, bool isDefault = false) {
        auto action = std::make_shared<THXAction>();
        action->SetCaption(caption);
        action->SetOrderPosition(position);
        action->SetIsDefault(isDefault);
        m_actions.insert(action->GetID(), action);
        return action;
    }

    std::shared_ptr<IHXAction_> GetAction(const TGUID& id) override { return m_actions.value(id); }
    bool CanShowWindow() override { return false; }

private:
    QHash<TGUID, std::shared_ptr<IHXAction_>> m_actions;
};

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* item : menu.actions())
        captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return captions;
}

class MenuControllerTest : public ::testing::Test {
protected:
    FakeApplication m_application;
    QMenu m_menu;
    TMenuController m_controller{&m_application, &m_menu};
};

} // namespace

TEST_F(MenuControllerTest, SortOrdersByPositionWithTheReportsSubmenuAtZero) {
    const auto a = m_application.Add(QStringLiteral("A"), -2);
    const auto b = m_application.Add(QStringLiteral("B"), 60001);
    const auto c = m_application.Add(QStringLiteral("C"), -1);
    const auto report = m_application.Add(QStringLiteral("Day Report"), 100);
    const auto d = m_application.Add(QStringLiteral("D"), 60000);
    m_controller.AddToMenu(a->GetID());
    m_controller.AddToMenu(b->GetID());
    m_controller.AddToMenu(c->GetID());
    m_controller.AddToReportMenu(report->GetID());
    m_controller.AddToMenu(d->GetID());
    ASSERT_NE(m_controller.ReportMenu(), nullptr);
    EXPECT_EQ(Captions(*m_controller.ReportMenu()), QStringList{QStringLiteral("Day Report")});

    m_controller.Sort();
    EXPECT_EQ(Captions(m_menu), (QStringList{"A", "C", "Reports", "D", "B"}));
}

TEST_F(MenuControllerTest, EqualPositionsKeepTheirOrderOfInsertion) {
    for (const char* caption : {"Worksheet", "Export", "Activities"})
        m_controller.AddToMenu(m_application.Add(QString::fromLatin1(caption), 100)->GetID());
    m_controller.AddToMenu(m_application.Add(QStringLiteral("Exit"), 60003)->GetID());
    m_controller.AddToMenu(m_application.Add(QStringLiteral("-"), -1)->GetID());
    m_controller.Sort();
    EXPECT_EQ(Captions(m_menu), (QStringList{"-", "Worksheet", "Export", "Activities", "Exit"}));
}

TEST_F(MenuControllerTest, ItemsFollowTheirActionsAndTheDefaultIsMarked) {
    const auto show = m_application.Add(QStringLiteral("Show Tracking"), -2, true);
    m_controller.AddToMenu(show->GetID());
    m_controller.AddToMenu(TGUID::NewGuid()); // unknown: nothing happens
    ASSERT_EQ(m_menu.actions().size(), 1);
    EXPECT_EQ(m_menu.defaultAction(), show->GetToolkitAction());
    show->SetCaption(QStringLiteral("Track Now"));
    show->SetVisible(false);
    EXPECT_EQ(m_menu.actions().at(0)->text(), QStringLiteral("Track Now"));
    EXPECT_FALSE(m_menu.actions().at(0)->isVisible());
}

TEST_F(MenuControllerTest, TextIdsMustBeGuids) {
    const auto about = m_application.Add(QStringLiteral("About"), 60001);
    m_controller.AddToMenu(about->GetID().ToString().toLower());
    EXPECT_EQ(m_menu.actions().size(), 1);
    EXPECT_THROW(m_controller.AddToMenu(QStringLiteral("About")), EVRNConvertError);
    EXPECT_THROW(m_controller.AddToReportMenu(QStringLiteral("{nope}")), EVRNConvertError);
    EXPECT_EQ(m_controller.ReportMenu(), nullptr);
}
