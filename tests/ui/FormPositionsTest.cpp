#include "ui/FormPositions.h"
#include "ui/BaseForm.h"

#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* name;
    QRect frame;
    QRect expected;
};

class FitOntoWorkAreaTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitOntoWorkAreaTest, MovesTheFrameInsideWithoutResizingIt) {
    const QRect workArea(0, 0, 1280, 800);
    const QRect fitted = FitOntoWorkArea(GetParam().frame, workArea);
    EXPECT_EQ(fitted, GetParam().expected);
    EXPECT_EQ(fitted.size(), GetParam().frame.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, FitOntoWorkAreaTest,
                         testing::Values(FitCase{"inside", {100, 100, 300, 200}, {100, 100, 300, 200}},
                                         FitCase{"right", {3000, 100, 300, 200}, {980, 100, 300, 200}},
                                         FitCase{"below", {100, 700, 300, 200}, {100, 600, 300, 200}},
                                         FitCase{"leftAbove", {-50, -20, 300, 200}, {0, 0, 300, 200}},
                                         // Larger than the area: its top left corner shows.
                                         FitCase{"larger", {200, 300, 1500, 900}, {0, 0, 1500, 900}}),
                         [](const auto& info) { return std::string(info.param.name); });

class FormPositionsTest : public testing::Test {
protected:
    void SetUp() override {
        m_options = std::make_shared<TPropertyList>();
        SetFormPositionOptions(m_options);
    }
    void TearDown() override { SetFormPositionOptions(nullptr); }

    std::shared_ptr<IHXPropertyList_> Stored(const QString& name) {
        return m_options->Items(QStringLiteral("form positions"))->AsPropertyList()->Items(name)->AsPropertyList();
    }

    std::shared_ptr<TPropertyList> m_options;
};

TEST_F(FormPositionsTest, AWindowNeverSavedKeepsItsDesignedPlaceAndSize) {
    ThxBaseForm form;
    form.SetPositionName(QStringLiteral("Test"), true);
    form.move(40, 50);
    form.resize(320, 240);
    form.LoadFormPosition();
    EXPECT_EQ(form.pos(), QPoint(40, 50));
    EXPECT_EQ(form.size(), QSize(320, 240));
}

TEST_F(FormPositionsTest, APlaceOffTheScreenComesBackFullyOnIt) {
    const auto saved = Stored(QStringLiteral("Test"));
    saved->Items(QStringLiteral("left"))->SetAsInteger(3000);
    saved->Items(QStringLiteral("top"))->SetAsInteger(-400);
    saved->Items(QStringLiteral("width"))->SetAsInteger(300);
    saved->Items(QStringLiteral("height"))->SetAsInteger(200);
    ThxBaseForm form;
    form.SetPositionName(QStringLiteral("Test"), true);
    form.LoadFormPosition();
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.size(), QSize(300, 200));
    EXPECT_TRUE(workArea.contains(QRect(form.pos(), form.size()))) << form.x() << "," << form.y();
}

TEST_F(FormPositionsTest, OpeningAndClosingAgainNeverMovesOrResizesTheWindow) {
    QPoint place(120, 90);
    QSize size(330, 210);
    for (int round = 0; round < 5; ++round) {
        ThxBaseForm form;
        form.SetPositionName(QStringLiteral("Test"), true);
        if (round == 0) {
            form.move(place);
            form.resize(size);
        }
        form.show();
        form.close();
        EXPECT_EQ(FindIntegerDef(Stored(QStringLiteral("Test")), QStringLiteral("left"), -1), place.x()) << round;
        EXPECT_EQ(FindIntegerDef(Stored(QStringLiteral("Test")), QStringLiteral("top"), -1), place.y()) << round;
        EXPECT_EQ(FindIntegerDef(Stored(QStringLiteral("Test")), QStringLiteral("width"), -1), size.width()) << round;
        EXPECT_EQ(FindIntegerDef(Stored(QStringLiteral("Test")), QStringLiteral("height"), -1), size.height()) << round;
    }
}

TEST_F(FormPositionsTest, AWindowThatKeepsNoSizeDropsAStoredSize) {
    const auto saved = Stored(QStringLiteral("Fixed"));
    saved->Items(QStringLiteral("left"))->SetAsInteger(10);
    saved->Items(QStringLiteral("top"))->SetAsInteger(20);
    saved->Items(QStringLiteral("width"))->SetAsInteger(999);
    saved->Items(QStringLiteral("height"))->SetAsInteger(999);
    ThxBaseForm form;
    form.SetPositionName(QStringLiteral("Fixed"), false);
    form.resize(200, 100);
    form.show();
    form.close();
    EXPECT_FALSE(saved->Find(QStringLiteral("width")));
    EXPECT_FALSE(saved->Find(QStringLiteral("height")));
    EXPECT_EQ(FindIntegerDef(saved, QStringLiteral("left"), -1), 10);
}

TEST_F(FormPositionsTest, WithoutOptionsWindowsKeepTheirPlacesAndNothingIsStored) {
    SetFormPositionOptions(nullptr);
    ThxBaseForm form;
    form.SetPositionName(QStringLiteral("Test"), true);
    form.move(30, 40);
    form.show();
    form.close();
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(m_options->Count(), 0);
}

} // namespace
