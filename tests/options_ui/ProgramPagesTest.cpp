// The program's own pages: "General" (autostart, hot key, compression), the language page
// (language list, font) and "Add-Ins"; and that none of them speaks of another system.

#include "options_ui/AddInOptions.h"
#include "options_ui/LanguageOptions.h"
#include "options_ui/OptionsDialog.h"
#include "options_ui/ProgramOptions.h"

#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "model/FontProperties.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "support/OptionsControlStandIn.h"
#include "support/TestEnvironment.h"
#include "ui/DialogFont.h"
#include "ui/HotKeyEdit.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t ShiftControlT = 0x0354;

class ProgramPagesTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void TearDown() override { SetUp(); }
    std::shared_ptr<IHXPropertyList_> Section(const QString& name) { return m_control.GetSection(name); }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
    OptionsControlStandIn m_control;
};

// --- General

TEST_F(ProgramPagesTest, GeneralLoadsItsDefaultsAndWritesEveryValue) {
    TfrmProgramOptions page(nullptr, &m_control, false);
    page.LoadPage();
    EXPECT_TRUE(page.AutostartBox()->isChecked());
    EXPECT_TRUE(page.CompressBox()->isChecked());
    EXPECT_TRUE(page.CompressBox()->isHidden()) << "only with -compress";
    EXPECT_EQ(page.HotKeyEdit()->HotKey(), 0);
    EXPECT_EQ(m_control.modified, 0) << "loading is no change";

    page.AutostartBox()->click();
    EXPECT_EQ(m_control.modified, 1);
    page.HotKeyEdit()->SetHotKey(ShiftControlT);
    ASSERT_TRUE(page.SavePage());
    const auto general = Section(QStringLiteral("general"));
    EXPECT_FALSE(FindBooleanDef(general, QStringLiteral("autostart"), true));
    EXPECT_TRUE(FindBooleanDef(general, QStringLiteral("compress"), false)) << "written while hidden";
    EXPECT_EQ(HotKeyFromProperty(general->Find(QStringLiteral("hotkey")), 0), ShiftControlT);

    TfrmProgramOptions again(nullptr, &m_control, true);
    again.LoadPage();
    EXPECT_FALSE(again.AutostartBox()->isChecked());
    EXPECT_FALSE(again.CompressBox()->isHidden());
    EXPECT_EQ(again.HotKeyEdit()->HotKey(), ShiftControlT);
}

TEST_F(ProgramPagesTest, GeneralRefusesTheHotKeyOfTheTrackingWindow) {
    HotKeyToProperty(Section(QStringLiteral("tracking manager"))->Items(QStringLiteral("hotkey")), ShiftControlT);
    TfrmProgramOptions page(nullptr, &m_control, false);
    page.LoadPage();
    page.AutostartBox()->click();
    page.HotKeyEdit()->SetHotKey(ShiftControlT);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    EXPECT_FALSE(page.SavePage());
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].caption, QStringLiteral("General"));
    EXPECT_EQ(TMessageBoxSeam::History()[0].kind, 6);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text,
              QStringLiteral("You have entered the same hotkey for the menu and the tracking window. Please change "
                             "this hotkey."));
    EXPECT_EQ(Section(QStringLiteral("general"))->Find(QStringLiteral("autostart")), nullptr) << "nothing written";
    // Another key, or none, is accepted.
    page.HotKeyEdit()->SetHotKey(0);
    EXPECT_TRUE(page.SavePage());
}

struct HotKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::uint16_t before;
    std::uint16_t after;
    bool reported;
};

class HotKeyEditTest : public ProgramPagesTest, public testing::WithParamInterface<HotKeyCase> {};

TEST_P(HotKeyEditTest, TakesOneKeyWithItsModifiers) {
    THotKeyEdit edit;
    edit.SetHotKey(GetParam().before);
    int reported = 0;
    QObject::connect(&edit, &THotKeyEdit::HotKeyChanged, [&reported](std::uint16_t) { ++reported; });
    QTest::keyClick(&edit, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(edit.HotKey(), GetParam().after);
    EXPECT_EQ(reported, GetParam().reported ? 1 : 0);
    EXPECT_FALSE(edit.text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HotKeyEditTest,
    testing::Values(
        HotKeyCase{"ShiftControlT", Qt::Key_T, Qt::ShiftModifier | Qt::ControlModifier, 0, ShiftControlT, true},
        HotKeyCase{"BackspaceClears", Qt::Key_Backspace, Qt::NoModifier, ShiftControlT, 0, true},
        HotKeyCase{"DeleteClears", Qt::Key_Delete, Qt::NoModifier, ShiftControlT, 0, true},
        HotKeyCase{"AModifierAloneIsNoKey", Qt::Key_Control, Qt::ControlModifier, ShiftControlT, ShiftControlT, false},
        HotKeyCase{"EnterIsTheDialogs", Qt::Key_Return, Qt::NoModifier, ShiftControlT, ShiftControlT, false},
        HotKeyCase{"EscapeIsTheDialogs", Qt::Key_Escape, Qt::NoModifier, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Language

TEST_F(ProgramPagesTest, TheLanguageListHasAutomaticOnTopAndTheCataloguesByTheirOwnNames) {
    const QList<TLanguageEntry> built = LanguageEntries();
    EXPECT_EQ(built, (QList<TLanguageEntry>{{QStringLiteral("Automatic"), QString()},
                                            {QStringLiteral("Deutsch"), QStringLiteral("de")},
                                            {QStringLiteral("English (United States)"), QStringLiteral("en_US")}}));
    // Without catalogues, and with catalogues that do not name their language or are for en_US.
    EXPECT_EQ(LanguageEntries({}, {}),
              (QList<TLanguageEntry>{{QStringLiteral("Automatic"), QString()},
                                     {QStringLiteral("English (United States)"), QStringLiteral("en_US")}}));
    const auto names = [](const QString& code) {
        if (code == QLatin1StringView("fr"))
            return QStringLiteral("Français");
        if (code == QLatin1StringView("xx"))
            return QString::fromUtf8(NativeLanguageNameText);
        if (code == QLatin1StringView("en_US"))
            return QStringLiteral("American");
        return QString();
    };
    EXPECT_EQ(LanguageEntries(
                  {QStringLiteral("xx"), QStringLiteral("fr"), QStringLiteral("en_US"), QStringLiteral("ab")}, names),
              (QList<TLanguageEntry>{{QStringLiteral("Automatic"), QString()},
                                     {QStringLiteral("ab"), QStringLiteral("ab")},
                                     {QStringLiteral("American"), QStringLiteral("en_US")},
                                     {QStringLiteral("Français"), QStringLiteral("fr")},
                                     {QStringLiteral("xx"), QStringLiteral("xx")}}));
}

TEST_F(ProgramPagesTest, CatalogueTranslationReadsACatalogueWithoutSwitchingTheLanguage) {
    EXPECT_EQ(CatalogueTranslation(QStringLiteral("de"), NativeLanguageNameText), QStringLiteral("Deutsch"));
    EXPECT_EQ(CatalogueTranslation(QStringLiteral("de"), "no such text"), QString());
    EXPECT_EQ(CatalogueTranslation(QStringLiteral("zz"), NativeLanguageNameText), QString());
    EXPECT_EQ(CatalogueTranslation(QStringLiteral("../de"), NativeLanguageNameText), QString());
    EXPECT_EQ(Tr("Options"), QStringLiteral("Options")) << "the program's language stays";
}

TEST_F(ProgramPagesTest, TheLanguagePageSelectsTheStoredLanguageAndWritesFontAndLanguage) {
    Section(QStringLiteral("language"))->Items(QStringLiteral("language"))->SetAsString(QStringLiteral("DE"));
    TfrmLanguageOptions page(nullptr, &m_control);
    page.LoadPage();
    EXPECT_EQ(page.LanguageBox()->currentData().toString(), QStringLiteral("de")) << "without regard to case";
    EXPECT_EQ(page.LanguageBox()->itemText(0), QStringLiteral("Automatic"));
    EXPECT_EQ(page.Font().lfFaceName, page.font().family()) << "the page's own font when none is stored";

    Section(QStringLiteral("language"))->Items(QStringLiteral("language"))->SetAsString(QStringLiteral("qq"));
    page.LoadPage();
    EXPECT_EQ(page.LanguageBox()->currentIndex(), 0) << "an unknown code: Automatic";
    page.LanguageBox()->setCurrentIndex(2);
    ASSERT_TRUE(page.SavePage());
    const auto section = Section(QStringLiteral("language"));
    EXPECT_EQ(FindStringDef(section, QStringLiteral("language"), QString()), QStringLiteral("en_US"));
    TLogFontRecord written;
    ReadFontFromProperty(section->Find(QStringLiteral("font")), written);
    EXPECT_EQ(written, page.Font());
}

struct FontCase {
    const char* name;
    double chosenPoints;
    int storedPoints;
};

class LanguageFontTest : public ProgramPagesTest, public testing::WithParamInterface<FontCase> {};

TEST_P(LanguageFontTest, AChosenFontIsLimitedToEightToSixteenPoints) {
    TfrmLanguageOptions page(nullptr, &m_control);
    page.LoadPage();
    page.SetFontChooser([](QWidget*, const QFont& start, const std::function<void(const QFont&)>& preview) {
        QFont chosen = start;
        chosen.setPointSizeF(GetParam().chosenPoints);
        preview(chosen);
        return std::optional<QFont>(chosen);
    });
    page.ChangeFont();
    EXPECT_EQ(LogFontPointSize(page.Font().lfHeight, ScreenDotsPerInch()), GetParam().storedPoints);
    EXPECT_TRUE(page.FontLabel()->text().contains(QStringLiteral(", %1pt (Scale ").arg(GetParam().storedPoints)))
        << page.FontLabel()->text().toStdString();
    EXPECT_EQ(m_control.modified, 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LanguageFontTest,
                         testing::Values(FontCase{"TooSmall", 4, 8}, FontCase{"Inside", 12, 12},
                                         FontCase{"TooLarge", 30, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramPagesTest, ACancelledFontDialogChangesNothingAndResetGoesBackToEightPoints) {
    TfrmLanguageOptions page(nullptr, &m_control);
    page.LoadPage();
    const TLogFontRecord before = page.Font();
    const QString shown = page.FontLabel()->text();
    page.SetFontChooser([](QWidget*, const QFont& start, const std::function<void(const QFont&)>& preview) {
        QFont larger = start;
        larger.setPointSize(14);
        preview(larger);
        return std::optional<QFont>();
    });
    page.ChangeFont();
    EXPECT_EQ(page.Font(), before);
    EXPECT_EQ(page.FontLabel()->text(), shown) << "the preview is gone";
    EXPECT_EQ(m_control.modified, 0);

    page.ResetFont();
    EXPECT_EQ(page.Font().lfFaceName, QStringLiteral("MS Shell Dlg"));
    EXPECT_EQ(page.Font().lfOutPrecision, 4);
    EXPECT_EQ(LogFontPointSize(page.Font().lfHeight, ScreenDotsPerInch()), 8);
    EXPECT_EQ(m_control.modified, 1);
    // The stored name of the system's dialog font is shown as the desktop's font.
    EXPECT_EQ(page.FontLabel()->text(), FontDescription(page.Font(), ScreenDotsPerInch()));
    EXPECT_TRUE(page.FontLabel()->text().startsWith(SystemDialogFontFamily() + QStringLiteral(", 8pt (Scale ")));
    EXPECT_TRUE(page.FontLabel()->text().endsWith(QStringLiteral("%)")));
}

TEST_F(ProgramPagesTest, FontDescriptionShowsAPositiveHeightAsItIs) {
    TLogFontRecord font;
    font.lfFaceName = QStringLiteral("DejaVu Sans");
    font.lfHeight = 12;
    EXPECT_TRUE(FontDescription(font, 96).startsWith(QStringLiteral("DejaVu Sans, 12pt (Scale ")));
    font.lfHeight = -16;
    EXPECT_TRUE(FontDescription(font, 96).startsWith(QStringLiteral("DejaVu Sans, 12pt (Scale ")));
}

// --- Add-Ins

class TAddInStandIn : public TInternalAddIn {
public:
    TAddInStandIn(QString id, QString name, bool mayDeactivate, bool fails = false)
        : m_id(std::move(id)), m_name(std::move(name)), m_mayDeactivate(mayDeactivate), m_fails(fails) {}
    QString GetID() override { return m_id; }
    QString GetName() override {
        if (m_fails)
            throw EVRNException(QStringLiteral("no name"));
        return m_name;
    }
    bool AllowDeactivate() override { return m_mayDeactivate; }

private:
    QString m_id;
    QString m_name;
    bool m_mayDeactivate;
    bool m_fails;
};

TEST_F(ProgramPagesTest, TheAddInsPageListsTheAddInsThatMaySwitchOffAlphabetically) {
    const std::vector<AddInPtr> known{
        std::make_shared<TAddInStandIn>(QStringLiteral("{1}"), QStringLiteral("Worksheet"), true),
        std::make_shared<TAddInStandIn>(QStringLiteral("{2}"), QStringLiteral("No tracking"), false),
        std::make_shared<TAddInStandIn>(QStringLiteral("{3}"), QStringLiteral("Activity Editor"), true),
        std::make_shared<TAddInStandIn>(QStringLiteral("{4}"), QStringLiteral("Broken"), true, true),
        std::make_shared<TAddInStandIn>(QStringLiteral("{5}"), QStringLiteral("Export"), true)};
    Section(QStringLiteral("addins"))->Items(QStringLiteral("{5}"))->SetAsBoolean(false);
    TfrmAddInOptions page(nullptr, &m_control, [known] { return known; });
    page.LoadPage();
    QStringList shown;
    for (int i = 0; i < page.List()->count(); ++i)
        shown << page.List()->item(i)->text() + (page.List()->item(i)->checkState() == Qt::Checked ? "+" : "-");
    EXPECT_EQ(shown, (QStringList{"Activity Editor+", "Export-", "Worksheet+"}));
    EXPECT_EQ(page.List()->currentRow(), 0);
    EXPECT_EQ(m_control.modified, 0);

    page.List()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(m_control.modified, 1);
    ASSERT_TRUE(page.SavePage());
    const auto section = Section(QStringLiteral("addins"));
    EXPECT_FALSE(FindBooleanDef(section, QStringLiteral("{3}"), true));
    EXPECT_FALSE(FindBooleanDef(section, QStringLiteral("{5}"), true));
    EXPECT_TRUE(FindBooleanDef(section, QStringLiteral("{1}"), false));
    EXPECT_EQ(section->Find(QStringLiteral("{2}")), nullptr) << "an add-in that stays on is not written";
}

// --- All pages

TEST_F(ProgramPagesTest, NoPageSpeaksOfAnotherSystem) {
    TfrmProgramOptions general(nullptr, &m_control, true);
    TfrmLanguageOptions language(nullptr, &m_control);
    TfrmAddInOptions addIns(nullptr, &m_control, {});
    for (QWidget* page : std::initializer_list<QWidget*>{&general, &language, &addIns}) {
        for (const QLabel* label : page->findChildren<QLabel*>())
            EXPECT_FALSE(label->text().contains(QStringLiteral("Windows"))) << label->text().toStdString();
        for (const QAbstractButton* button : page->findChildren<QAbstractButton*>())
            EXPECT_FALSE(button->text().contains(QStringLiteral("Windows"))) << button->text().toStdString();
    }
    EXPECT_EQ(general.AutostartBox()->text(), QStringLiteral("Start automatically when you log in"));
}

} // namespace
