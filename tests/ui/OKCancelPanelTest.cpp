#include "ui/OKCancelPanel.h"

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(OKCancelPanelTest, ButtonsStandFromTheRightApplyCancelOKWithTheirSizeAndSpacing) {
    QDialog dialog;
    auto* panel = new TOKCancelPanel(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(panel);
    dialog.resize(430, 100);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect ok = panel->OKButton()->geometry();
    const QRect cancel = panel->CancelButton()->geometry();
    const QRect apply = panel->ApplyButton()->geometry();
    for (const QRect& button : {ok, cancel, apply})
        EXPECT_EQ(button.size(), QSize(90, 25));
    EXPECT_EQ(panel->width() - 1 - apply.right(), 10);
    EXPECT_EQ(apply.left() - cancel.right() - 1, 10);
    EXPECT_EQ(cancel.left() - ok.right() - 1, 10);
    EXPECT_EQ(panel->height() - 1 - ok.bottom(), 9);
    EXPECT_TRUE(panel->OKButton()->isDefault());
    EXPECT_EQ(panel->OKButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(panel->ApplyButton()->text(), QStringLiteral("&Apply"));
}

TEST(OKCancelPanelTest, CancelTakesTheDialogsEscapePathAndOKSignals) {
    QDialog dialog;
    auto* panel = new TOKCancelPanel(&dialog);
    panel->SetButtons(true, true, false);
    EXPECT_TRUE(panel->ApplyButton()->isHidden());
    QSignalSpy ok(panel, &TOKCancelPanel::OKClicked);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.show();
    QTest::mouseClick(panel->OKButton(), Qt::LeftButton);
    EXPECT_EQ(ok.count(), 1);
    EXPECT_EQ(rejected.count(), 0);
    QTest::mouseClick(panel->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
