// The "Date Format" dialog: its element menu and what the entries insert, the predefined pictures
// and their samples, the language and calendar choosers, and the checks of OK.

#include "formatting_ui/DateFormatterDlg.h"
#include "formatting_ui/CalendarComboBox.h"
#include "formatting_ui/LocaleComboBox.h"

#include "formatting/DateFormatterList.h"
#include "foundation/DateTime.h"
#include "support/ExceptionText.h"
#include "support/TestEnvironment.h"
#include "ui/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

/// The entry whose caption (mnemonic escapes undone) starts with text; nullptr if none.
QAction* FindEntry(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        QString caption = action->text();
        caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
        if (caption == text || caption.startsWith(text + u'\t'))
            return action;
    }
    return nullptr;
}

QStringList Captions(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

class DateFormatterDlgTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void TearDown() override { SetUp(); }

    /// Chooses the locale in the language box as the user would.
    static void ChooseLanguage(TfrmDateFormatterDlg& dialog, const QString& icuName) {
        dialog.LanguageBox()->SelectLocale(LCIDForLocaleName(icuName));
        dialog.LanguageChosen();
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
};

// --- Predefined pictures and the built-in formatters

struct PredefinedCase {
    const char* locale;
    int builtIn; // index into the ten built-ins
    const char* picture;
    const char* sample;
};

class PredefinedEntryTest : public DateFormatterDlgTest, public testing::WithParamInterface<PredefinedCase> {};

TEST_P(PredefinedEntryTest, PreviewsAsTheBuiltInFormatterWithThatPicture) {
    const PredefinedCase& c = GetParam();
    ScopedUserLocale locale(QString::fromLatin1(c.locale));
    const TDateFormatterListDefault builtIns;
    const DateFormatterPtr builtIn = builtIns.Items(c.builtIn);
    ASSERT_EQ(builtIn->FormatString(), QString::fromUtf8(c.picture));

    TfrmDateFormatterDlg dialog;
    dialog.SetFormatter(nullptr);
    dialog.FormatEdit()->setText(QStringLiteral("typed before"));
    QAction* entry = FindEntry(dialog.PredefinedMenu(), builtIn->FormatString());
    ASSERT_NE(entry, nullptr) << Captions(dialog.PredefinedMenu()).join(u" | ").toStdString();
    entry->trigger();
    EXPECT_EQ(dialog.FormatEdit()->text(), builtIn->FormatString()) << "the whole text is replaced";
    EXPECT_EQ(dialog.Sample(), builtIn->Format(TodayDate()));
    EXPECT_EQ(dialog.Sample(), QString::fromUtf8(c.sample));
}

INSTANTIATE_TEST_SUITE_P(Locales, PredefinedEntryTest,
                         testing::Values(PredefinedCase{"en_US", 0, "M/d/yyyy", "3/14/2006"},
                                         PredefinedCase{"en_US", 1, "dddd, MMMM d, yyyy", "Tuesday, March 14, 2006"},
                                         PredefinedCase{"en_US", 2, "M/d/yyyy", "3/14/2006"},
                                         PredefinedCase{"en_US", 3, "dddd, MMMM d, yyyy", "Tuesday, March 14, 2006"},
                                         PredefinedCase{"en_US", 9, "yyyy-MM-dd", "2006-03-14"},
                                         PredefinedCase{"de_DE", 0, "dd.MM.yyyy", "14.03.2006"},
                                         PredefinedCase{"de_DE", 1, "dddd, d. MMMM yyyy", "Dienstag, 14. März 2006"},
                                         PredefinedCase{"de_DE", 2, "dd.MM.yyyy", "14.03.2006"},
                                         PredefinedCase{"de_DE", 3, "dddd, d. MMMM yyyy", "Dienstag, 14. März 2006"},
                                         PredefinedCase{"de_DE", 9, "yyyy-MM-dd", "2006-03-14"}),
                         [](const auto& info) {
                             return std::string(info.param.locale) + "_BuiltIn" +
                                    std::to_string(info.param.builtIn + 1);
                         });

TEST_F(DateFormatterDlgTest, EveryPredefinedPictureIsListedOnceAndPreviewsSomething) {
    for (const char* name : {"en_US", "de_DE"}) {
        ScopedUserLocale locale(QString::fromLatin1(name));
        TfrmDateFormatterDlg dialog;
        dialog.SetFormatter(nullptr);
        const TDateFormatterListSystem system(dialog.LanguageBox()->SelectedLocale(),
                                              dialog.CalendarBox()->SelectedCalendar());
        ASSERT_GT(system.Count(), 0) << name;
        const QList<QAction*> entries = dialog.PredefinedMenu()->actions();
        ASSERT_EQ(entries.size(), system.Count()) << name;
        for (int i = 0; i < system.Count(); ++i) {
            entries[i]->trigger();
            EXPECT_EQ(dialog.FormatEdit()->text(), system.Items(i)->FormatString());
            EXPECT_FALSE(dialog.Sample().isEmpty()) << name << " " << system.Items(i)->FormatString().toStdString();
        }
    }
}

// --- The element menu

TEST_F(DateFormatterDlgTest, TheMenuShowsDescriptionsAndElementsInTwoColumns) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    TfrmDateFormatterDlg dialog;
    dialog.SetFormatter(nullptr);
    const QStringList captions = Captions(dialog.ElementMenu());
    ASSERT_GE(captions.size(), 18);
    EXPECT_EQ(dialog.ElementMenu()->actions()[0]->menu(), dialog.PredefinedMenu());
    EXPECT_EQ(captions.mid(1),
              (QStringList{"-", "Day\td", "Day (2 digits)\tdd", "Day Name (short)\tddd", "Day Name (full)\tdddd", "-",
                           "Month\tM", "Month (2 digits)\tMM", "Month Name (short)\tMMM", "Month Name (full)\tMMMM",
                           "-", "Year (2 digits)\tyy", "Year (4 digits)\tyyyy", "-", "Period/Era\tgg", "Text\t''",
                           "Separator\t."}));
}

TEST_F(DateFormatterDlgTest, EntriesReplaceTheSelectionAndLeaveTheCaretBehindWhatTheyInserted) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    TfrmDateFormatterDlg dialog;
    dialog.SetFormatter(nullptr);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* edit = dialog.FormatEdit();

    FindEntry(dialog.ElementMenu(), QStringLiteral("Day (2 digits)"))->trigger();
    FindEntry(dialog.ElementMenu(), QStringLiteral("Separator"))->trigger();
    FindEntry(dialog.ElementMenu(), QStringLiteral("Month (2 digits)"))->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("dd'.'MM"));
    EXPECT_EQ(edit->cursorPosition(), 7);
    EXPECT_EQ(QApplication::focusWidget(), edit);

    // "Text" at the end: two quotes, the caret between them, so that typing makes a literal.
    FindEntry(dialog.ElementMenu(), QStringLiteral("Text"))->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("dd'.'MM''"));
    EXPECT_EQ(edit->cursorPosition(), 8);
    QTest::keyClicks(edit, QStringLiteral(" im Jahr"));
    EXPECT_EQ(edit->text(), QStringLiteral("dd'.'MM' im Jahr'"));
    EXPECT_EQ(dialog.Sample(), QStringLiteral("14.03 im Jahr"));

    // A selection is replaced; the caret stands behind the inserted element.
    edit->setSelection(0, 2);
    FindEntry(dialog.ElementMenu(), QStringLiteral("Day Name (full)"))->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("dddd'.'MM' im Jahr'"));
    EXPECT_EQ(edit->cursorPosition(), 4);
    EXPECT_EQ(dialog.Sample(), QStringLiteral("Dienstag.03 im Jahr"));

    // The era of the Gregorian calendar.
    edit->clear();
    FindEntry(dialog.ElementMenu(), QStringLiteral("Year (4 digits)"))->trigger();
    FindEntry(dialog.ElementMenu(), QStringLiteral("Text"))->trigger();
    QTest::keyClicks(edit, QStringLiteral(" "));
    edit->end(false);
    FindEntry(dialog.ElementMenu(), QStringLiteral("Period/Era"))->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("yyyy' 'gg"));
    EXPECT_EQ(dialog.Sample(), QStringLiteral("2006 n. Chr."));
}

TEST_F(DateFormatterDlgTest, TheEntryListFollowsTheEraAndTheSeparatorOfTheLanguage) {
    const auto elements = [](const std::vector<TDateElementEntry>& entries) {
        QStringList list;
        for (const TDateElementEntry& entry : entries)
            if (!entry.IsSeparator())
                list << entry.Description + u'=' + entry.Inserted;
        return list;
    };
    const QStringList withEra = elements(DateElementEntries(QStringLiteral("AD"), QStringLiteral("/")));
    EXPECT_TRUE(withEra.contains(QStringLiteral("Period/Era=gg")));
    EXPECT_EQ(withEra.last(), QStringLiteral("Separator='/'"));

    const QStringList withoutEra = elements(DateElementEntries(QString(), QStringLiteral(".")));
    EXPECT_FALSE(withoutEra.join(u'|').contains(QStringLiteral("Period/Era")));
    EXPECT_EQ(withoutEra.size(), withEra.size() - 1);
    EXPECT_EQ(withoutEra.last(), QStringLiteral("Separator='.'"));

    // A quote in the separator is doubled inside the quoted separator.
    EXPECT_EQ(elements(DateElementEntries(QString(), QStringLiteral("'"))).last(), QStringLiteral("Separator=''''"));
}

// --- Language and calendar

TEST_F(DateFormatterDlgTest, ChangingTheLanguageResetsTheCalendarToItsFirstCalendar) {
    ScopedUserLocale locale(QStringLiteral("en_US"));
    TfrmDateFormatterDlg dialog;
    dialog.SetFormatter(nullptr);
    ChooseLanguage(dialog, QStringLiteral("th_TH"));
    ASSERT_GE(dialog.CalendarBox()->count(), 2);
    EXPECT_EQ(dialog.CalendarBox()->SelectedCalendar(), CAL_THAI);
    dialog.CalendarBox()->SelectCalendar(CAL_GREGORIAN);
    dialog.CalendarChosen();
    dialog.FormatEdit()->setText(QStringLiteral("yyyy"));
    EXPECT_EQ(dialog.Sample(), QStringLiteral("2006"));

    ChooseLanguage(dialog, QStringLiteral("th_TH"));
    EXPECT_EQ(dialog.CalendarBox()->currentIndex(), 0);
    EXPECT_EQ(dialog.CalendarBox()->SelectedCalendar(), CAL_THAI);
    EXPECT_EQ(dialog.Sample(), QStringLiteral("2549")) << "the Buddhist year";

    ChooseLanguage(dialog, QStringLiteral("de_DE"));
    EXPECT_EQ(dialog.CalendarBox()->SelectedCalendar(), CAL_GREGORIAN);
    EXPECT_EQ(dialog.Sample(), QStringLiteral("2006"));
    EXPECT_EQ(Captions(dialog.ElementMenu()).last(), QStringLiteral("Separator\t."));
}

TEST_F(DateFormatterDlgTest, TheChoosersListLocalesByNameAndRefuseWhatTheyDoNotList) {
    ScopedUserLocale locale(QStringLiteral("en_US"));
    TvrnLocaleComboBox languages;
    ASSERT_GT(languages.count(), 10);
    EXPECT_EQ(languages.currentIndex(), 0);
    for (int i = 1; i < languages.count(); ++i)
        ASSERT_LE(QString::localeAwareCompare(languages.itemText(i - 1), languages.itemText(i)), 0) << i;
    languages.SelectLocale(0x0407);
    EXPECT_EQ(languages.currentText(), QStringLiteral("German (Germany)"));
    EXPECT_EQ(languages.SelectedLocale(), 0x0407u);
    EXPECT_EQ(languages.SelectedFormatSettings().DateSeparator, QStringLiteral("."));
    languages.SelectLocale(LOCALE_USER_DEFAULT);
    EXPECT_EQ(languages.SelectedLocale(), 0x0409u) << "the default stands for the user's locale";
    EXPECT_EQ(MessageOf<ELocaleNotFoundError>([&] { languages.SelectLocale(0x7777); }),
              QStringLiteral("Locale '30583' not found"));
    EXPECT_EQ(languages.SelectedLocale(), 0x0409u);

    TvrnCalendarComboBox calendars;
    calendars.SetLocale(0x0407);
    ASSERT_GE(calendars.count(), 1);
    EXPECT_EQ(calendars.SelectedCalendar(), CAL_GREGORIAN);
    EXPECT_EQ(calendars.currentText(), QStringLiteral("Gregorian Calendar"));
    EXPECT_EQ(MessageOf<ECalendarNotFoundError>([&] { calendars.SelectCalendar(99); }),
              QStringLiteral("Calendar '99' not found"));
}

TEST_F(DateFormatterDlgTest, AFormatterWithACalendarItsLanguageDoesNotOfferIsNotShown) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    auto formatter = std::make_shared<TDateFormatterLocDepUser>();
    formatter->SetLocale(0x0407);
    formatter->SetCalendarId(CAL_HEBREW);
    TfrmDateFormatterDlg dialog;
    EXPECT_EQ(MessageOf<ECalendarNotFoundError>([&] { dialog.SetFormatter(formatter); }),
              QStringLiteral("Calendar '8' not found"));
}

// --- OK and Cancel

TEST_F(DateFormatterDlgTest, OKAsksForANameAndAFormatThenWritesEverythingIntoTheFormatter) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    auto formatter = std::make_shared<TDateFormatterLocDepUser>();
    formatter->SetName(QStringLiteral("Old"));
    formatter->SetFormatString(QStringLiteral("d"));
    formatter->SetLocale(0x0407);
    formatter->SetCalendarId(CAL_GREGORIAN);
    TfrmDateFormatterDlg dialog;
    dialog.SetFormatter(formatter);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.NameEdit()->text(), QStringLiteral("Old"));
    EXPECT_EQ(dialog.FormatEdit()->text(), QStringLiteral("d"));
    EXPECT_EQ(dialog.Sample(), QStringLiteral("14"));

    dialog.NameEdit()->clear();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    dialog.accept();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].caption, QStringLiteral("Date Format"));
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, QStringLiteral("Please enter a name for this date format."));
    EXPECT_EQ(TMessageBoxSeam::History()[0].kind, MessageBoxKind::Error);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.NameEdit());

    dialog.NameEdit()->setText(QStringLiteral("   ")); // blanks are a name
    dialog.FormatEdit()->clear();
    EXPECT_TRUE(dialog.Sample().isEmpty());
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    dialog.accept();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[1].text, QStringLiteral("Please specify the date format."));
    EXPECT_EQ(QApplication::focusWidget(), dialog.FormatEdit());
    EXPECT_EQ(formatter->Name(), QStringLiteral("Old")) << "nothing written before OK succeeds";

    dialog.FormatEdit()->setText(QStringLiteral("MMMM yyyy"));
    ChooseLanguage(dialog, QStringLiteral("fr_FR"));
    EXPECT_EQ(dialog.Sample(), QStringLiteral("mars 2006"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(formatter->Name(), QStringLiteral("   "));
    EXPECT_EQ(formatter->FormatString(), QStringLiteral("MMMM yyyy"));
    EXPECT_EQ(formatter->Locale(), 0x040Cu);
    EXPECT_EQ(formatter->CalendarId(), CAL_GREGORIAN);
    EXPECT_EQ(formatter->Format(EncodeDate(2024, 3, 5)), QStringLiteral("mars 2024"));
}

TEST_F(DateFormatterDlgTest, ANewFormatterStartsInTheUsersLanguageAndCancelChangesNothing) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    TfrmDateFormatterDlg dialog;
    dialog.SetFormatter(nullptr);
    ASSERT_NE(dialog.Formatter(), nullptr);
    EXPECT_EQ(dialog.LanguageBox()->SelectedLocale(), 0x0407u);
    EXPECT_EQ(dialog.CalendarBox()->SelectedCalendar(), CAL_GREGORIAN);
    EXPECT_TRUE(dialog.NameEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.FormatEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.Sample().isEmpty());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Date Format"));

    dialog.NameEdit()->setText(QStringLiteral("Mine"));
    dialog.FormatEdit()->setText(QStringLiteral("yyyy"));
    dialog.reject();
    EXPECT_TRUE(dialog.Formatter()->Name().isEmpty());
    EXPECT_TRUE(dialog.Formatter()->FormatString().isEmpty());
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

} // namespace
