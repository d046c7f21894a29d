#include "formatting/FormattingOptions.h"
#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DateFormatterLocDep.h"
#include "foundation/International.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<IHXPropertyList_> NewList() {
    return std::make_shared<TPropertyList>();
}

QList<TGUID> Ids(const TDateFormatterList& list) {
    QList<TGUID> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids << list.Items(i)->Id();
    return ids;
}

QList<TGUID> Ids(const TDurationFormatterList& list) {
    QList<TGUID> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids << list.Items(i)->Id();
    return ids;
}

class FormattingOptionsTest : public testing::Test {
protected:
    ScopedUserLocale m_locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(FormattingOptionsTest, DefaultsShowEveryBuiltIn) {
    TFormattingOptions options;
    const auto date = options.DateFormattingOptions();
    EXPECT_EQ(date->DisplayType(), fdtName);
    EXPECT_EQ(date->Definitions()->Count(), 10);
    EXPECT_EQ(Ids(*date->Selection()), Ids(*date->Definitions()));
    const auto duration = options.DurationFormattingOptions();
    EXPECT_EQ(duration->HoursPerDay(), 8);
    EXPECT_EQ(Ids(*duration->Selection()), Ids(*duration->Definitions()));
}

TEST_F(FormattingOptionsTest, DisplayTypeIsZeroToTwo) {
    TDateFormattingOptions options;
    options.SetDisplayType(fdtSample);
    try {
        options.SetDisplayType(3);
        FAIL();
    } catch (const EFormattingOptionsError& e) {
        EXPECT_EQ(e.Message(), "Invalid FormatDisplayType value");
    }
    EXPECT_EQ(options.DisplayType(), fdtSample);
    EXPECT_EQ(FormatDisplayTypeFromName("FORMAT"), fdtFormat);
    EXPECT_THROW(FormatDisplayTypeFromName("picture"), EFormatDisplayTypeNameError);
}

TEST_F(FormattingOptionsTest, SavedOptionsLoadBack) {
    TFormattingOptions options;
    const auto date = options.DateFormattingOptions();
    date->SetDisplayType(fdtSample);
    auto user = std::make_shared<TDateFormatterLocDepUser>();
    user->SetName("Compact");
    user->SetFormatString("yyMMdd");
    date->Definitions()->Add(user);
    date->Selection()->Reset();
    date->Selection()->Add(user);
    date->Selection()->Add(date->Definitions()->FindById(TDateFormatterISO::ID));
    const auto duration = options.DurationFormattingOptions();
    duration->SetHoursPerDay(7.5);
    duration->Selection()->Reset();
    duration->Selection()->Add(duration->Definitions()->FindById(TDurationFormatterUnitHours1::ID));
    duration->Selection()->Add(duration->Definitions()->FindById(TDurationFormatterHM::ID));

    auto section = NewList();
    options.SaveToPropertyList(section);
    TFormattingOptions loaded;
    loaded.LoadFromPropertyList(section);

    const auto loadedDate = loaded.DateFormattingOptions();
    EXPECT_EQ(loadedDate->DisplayType(), fdtSample);
    // The saved built-ins are skipped: the ten built-ins come first, then the user's own.
    ASSERT_EQ(loadedDate->Definitions()->Count(), 11);
    EXPECT_EQ(Ids(*loadedDate->Definitions()), Ids(*date->Definitions()));
    const auto loadedUser = loadedDate->Definitions()->Items(10);
    EXPECT_EQ(loadedUser->Name(), "Compact");
    EXPECT_EQ(loadedUser->FormatString(), "yyMMdd");
    EXPECT_EQ(loadedUser->Format(EncodeDate(2024, 3, 5)), "240305");
    EXPECT_NE(std::dynamic_pointer_cast<IHXDateFormatterUser_>(loadedUser), nullptr);
    EXPECT_EQ(Ids(*loadedDate->Selection()), (QList<TGUID>{user->Id(), TDateFormatterISO::ID}));

    const auto loadedDuration = loaded.DurationFormattingOptions();
    EXPECT_EQ(loadedDuration->HoursPerDay(), 7.5);
    EXPECT_EQ(Ids(*loadedDuration->Selection()),
              (QList<TGUID>{TDurationFormatterUnitHours1::ID, TDurationFormatterHM::ID}));
    EXPECT_EQ(loadedDuration->Definitions()->Count(), 9);
}

TEST_F(FormattingOptionsTest, SavedFormatterForm) {
    TDateFormatterListDefault list;
    const auto saved = list.FindById(TDateFormatterGenericYMD::ID)->SaveToPropertyList();
    EXPECT_EQ(saved->Find("name")->AsString(), "Month Day Year");
    EXPECT_EQ(saved->Find("id")->DataType(), hxpdtGUID);
    EXPECT_EQ(saved->Find("id")->AsGUID(), TDateFormatterGenericYMD::ID);
    EXPECT_EQ(saved->Find("format string")->AsString(), "M'/'d'/'yyyy");
    EXPECT_EQ(saved->Find("locale")->AsInteger(), 1024);
    EXPECT_EQ(saved->Find("calendar id")->AsInteger(), 1);
    try {
        list.Items(0)->LoadFromPropertyList(saved);
        FAIL();
    } catch (const EDateFormatterError& e) {
        EXPECT_EQ(e.Message(), "This implementation does not support LoadFromPropertyList");
    }
    const auto duration = TDurationFormatterUnitMinutes0().SaveToPropertyList();
    EXPECT_EQ(duration->Count(), 3);
    EXPECT_EQ(duration->Find("format string")->AsString(), "M0");
}

TEST_F(FormattingOptionsTest, UserFormatterDefaultsAndFreshIds) {
    TDateFormatterLocDepUser user;
    auto list = NewList();
    list->Items("id")->SetAsGUID(TGUID());
    user.LoadFromPropertyList(list);
    EXPECT_FALSE(user.Id().IsNull());
    EXPECT_EQ(user.Name(), "User Defined");
    EXPECT_EQ(user.FormatString(), GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE));
    EXPECT_EQ(user.Locale(), LOCALE_USER_DEFAULT);
    const LCID german = LCIDForLocaleName("de_DE");
    list->Items("locale")->SetAsInteger(static_cast<int>(german));
    list->Items("format string")->SetAsString("d. MMMM");
    user.LoadFromPropertyList(list);
    EXPECT_EQ(user.CalendarId(), CAL_GREGORIAN);
    EXPECT_EQ(user.Format(EncodeDate(2024, 3, 5)), "5. März");

    // An id that is no GUID: the item cannot be read and the formatter stays as it was.
    const TGUID before = user.Id();
    list->Items("id")->SetAsString("garbage");
    EXPECT_THROW(user.LoadFromPropertyList(list), EVRNConvertError);
    EXPECT_EQ(user.Id(), before);
}

TEST_F(FormattingOptionsTest, DamagedDefinitionsAndSelectionAreSkipped) {
    auto dateList = NewList();
    dateList->Items("display type")->SetAsString("Format");
    auto formatters =
        dateList->Items("formatter definitions")->AsPropertyList()->Items("formatter list")->AsValueList();
    auto good = formatters->AddItem()->AsPropertyList();
    good->Items("name")->SetAsString("Good");
    good->Items("format string")->SetAsString("d");
    auto bad = formatters->AddItem()->AsPropertyList();
    bad->Items("id")->SetAsString("{not a guid}");
    formatters->AddItem()->SetAsInteger(3);
    auto selection = dateList->Items("formatter selection")->AsValueList();
    selection->AddItem()->SetAsGUID(TGUID::NewGuid()); // unknown
    selection->AddItem()->SetAsString("garbage");      // unreadable

    TDateFormattingOptions options;
    options.LoadFromPropertyList(dateList);
    EXPECT_EQ(options.DisplayType(), fdtFormat);
    ASSERT_EQ(options.Definitions()->Count(), 11);
    EXPECT_EQ(options.Definitions()->Items(10)->Name(), "Good");
    EXPECT_FALSE(options.Definitions()->Items(10)->Id().IsNull());
    // Nothing usable was selected: every definition is offered.
    EXPECT_EQ(Ids(*options.Selection()), Ids(*options.Definitions()));
}

TEST_F(FormattingOptionsTest, UnreadableHalfLoadsItsDefaults) {
    auto section = NewList();
    section->Items("date formatting options")->AsPropertyList()->Items("display type")->SetAsString("bogus");
    auto duration = section->Items("duration formatting options")->AsPropertyList();
    duration->Items("hours per day")->SetAsDouble(30);
    TFormattingOptions options;
    options.DateFormattingOptions()->SetDisplayType(fdtSample);
    options.LoadFromPropertyList(section);
    EXPECT_EQ(options.DateFormattingOptions()->DisplayType(), fdtName);
    EXPECT_EQ(options.DateFormattingOptions()->Selection()->Count(), 10);
    EXPECT_EQ(options.DurationFormattingOptions()->HoursPerDay(), 24);
    duration->Items("hours per day")->SetAsDouble(0);
    options.LoadFromPropertyList(section);
    EXPECT_EQ(options.DurationFormattingOptions()->HoursPerDay(), 1);
    section->Items("duration formatting options")->SetAsString("not a list");
    options.LoadFromPropertyList(section);
    EXPECT_EQ(options.DurationFormattingOptions()->HoursPerDay(), 8);
}

TEST_F(FormattingOptionsTest, EmptySectionReceivesTheDefaults) {
    TFormattingOptions options;
    auto section = NewList();
    options.LoadOrInitialize(section);
    const auto date = section->Find("date formatting options");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->AsPropertyList()->Find("display type")->AsString(), "name");
    EXPECT_EQ(date->AsPropertyList()->Find("formatter selection")->AsValueList()->Count(), 10);
    const auto duration = section->Find("duration formatting options")->AsPropertyList();
    EXPECT_EQ(duration->Find("hours per day")->AsDouble(), 8);
    EXPECT_EQ(duration->Find("formatter definitions")->AsPropertyList()->Find("formatter list")->AsValueList()->Count(),
              9);

    duration->Items("hours per day")->SetAsDouble(6);
    TFormattingOptions loaded;
    loaded.LoadOrInitialize(section);
    EXPECT_EQ(loaded.DurationFormattingOptions()->HoursPerDay(), 6);
}
