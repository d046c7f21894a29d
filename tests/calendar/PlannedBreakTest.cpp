#include "calendar/PlannedBreak.h"
#include "foundation/DateTime.h"
#include "model/PropertyList.h"
#include "model/PropertyValueList.h"

#include <gtest/gtest.h>

namespace {

const TGUID Lunch = TGUID::Constant("{5B0C2B7E-0D57-4C67-9C1B-7A2E3C6B1A01}");

// Points the break's locator at an activity, the way a stored locator is read.
void BookTo(IHXPlannedBreak_& plannedBreak, const TGUID& id, const QString& name) {
    auto list = std::make_shared<TPropertyList>();
    list->Items("id")->SetAsGUID(id);
    list->Items("name")->SetAsString(name);
    list->Items("break")->SetAsBoolean(true);
    plannedBreak.ActivityLocator()->LoadFromPropertyList(list);
}

std::shared_ptr<IHXPropertyList_> AddItem(const std::shared_ptr<IHXPropertyValueList_>& items) {
    return items->AddItem()->AsPropertyList();
}

} // namespace

TEST(PlannedBreakTest, NewBreakIsAnEmptyWindowBookedToTheBreakPseudoActivity) {
    TPlannedBreakList list;
    const auto plannedBreak = list.AddNew();
    EXPECT_EQ(plannedBreak->FromTime(), 0.0);
    EXPECT_EQ(plannedBreak->ToTime(), 0.0);
    EXPECT_EQ(plannedBreak->Duration(), 0.0);
    EXPECT_TRUE(plannedBreak->ActivityLocator()->IsBreak());
    EXPECT_TRUE(plannedBreak->ActivityLocator()->ID().IsNull());
    const auto locator = plannedBreak->ActivityLocator();
    BookTo(*plannedBreak, Lunch, "Lunch");
    EXPECT_EQ(plannedBreak->ActivityLocator(), locator); // changed in place, never replaced
}

TEST(PlannedBreakTest, ListKeepsInsertionOrder) {
    TPlannedBreakList list;
    const auto first = list.AddNew();
    const auto second = list.AddNew();
    const auto third = list.AddNew();
    list.Remove(second);
    list.Remove(std::make_shared<TPlannedBreak>()); // not in the list
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), first);
    EXPECT_EQ(list.Items(1), third);
    EXPECT_THROW(list.Items(2), EVRNListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(PlannedBreakTest, SavedBreaksLoadBackInOrder) {
    TPlannedBreakList list;
    auto lunch = list.AddNew();
    lunch->SetFromTime(EncodeTime(12, 0, 0, 0));
    lunch->SetToTime(EncodeTime(13, 30, 0, 0));
    lunch->SetDuration(45 * OneMinute);
    BookTo(*lunch, Lunch, "Lunch");
    auto night = list.AddNew();
    night->SetFromTime(EncodeTime(23, 30, 0, 0));
    night->SetToTime(1.0);
    night->SetDuration(15 * OneMinute);

    auto section = std::make_shared<TPropertyList>();
    SavePlannedBreaksToSection(list, section);
    const auto saved = section->Find("planned breaks")->AsValueList();
    ASSERT_EQ(saved->Count(), 2);
    const auto item = saved->Items(0)->AsPropertyList();
    EXPECT_EQ(item->Find("from")->DataType(), hxpdtTime);
    EXPECT_EQ(item->Find("duration")->DataType(), hxpdtDuration);
    EXPECT_EQ(item->Find("activity locator")->AsPropertyList()->Find("name")->AsString(), "Lunch");

    TPlannedBreakList loaded;
    loaded.AddNew(); // replaced by loading
    LoadPlannedBreaksFromSection(loaded, section);
    ASSERT_EQ(loaded.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded.Items(i)->FromTime(), list.Items(i)->FromTime());
        EXPECT_EQ(loaded.Items(i)->ToTime(), list.Items(i)->ToTime());
        EXPECT_TRUE(TimesEqual(loaded.Items(i)->Duration(), list.Items(i)->Duration()));
        EXPECT_TRUE(loaded.Items(i)->ActivityLocator()->Eq(list.Items(i)->ActivityLocator()));
    }
    EXPECT_EQ(loaded.Items(0)->ActivityLocator()->Name(), "Lunch");

    // What the tracking manager receives at a reload: the same breaks as values, in order.
    const auto values = LoadPlannedBreakValues(section);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].ActivityId, Lunch);
    EXPECT_TRUE(TimesEqual(values[0].Duration, 45 * OneMinute));
    EXPECT_EQ(values[1].FromTime, night->FromTime());
    EXPECT_TRUE(values[1].ActivityId.IsNull());
    EXPECT_TRUE(LoadPlannedBreakValues(nullptr).empty());
}

TEST(PlannedBreakTest, DamagedItemsFallBackInsteadOfFailing) {
    auto items = std::make_shared<TPropertyValueList>();
    AddItem(items); // nothing at all: 0, 0, 0
    auto impossible = AddItem(items);
    impossible->Items("from")->SetAsDateTime(EncodeDate(2024, 3, 5) + 0.5); // a date-time is no time of day
    impossible->Items("to")->SetAsTime(EncodeTime(13, 0, 0, 0));
    impossible->Items("duration")->SetAsDuration(2.5); // longer than a day
    auto badLocator = AddItem(items);
    badLocator->Items("from")->SetAsTime(EncodeTime(12, 0, 0, 0));
    badLocator->Items("activity locator")->AsPropertyList()->Items("id")->SetAsString("not a guid");
    items->AddItem()->SetAsString("not a break");

    TPlannedBreakList list;
    list.LoadFromValueList(items);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0)->FromTime(), 0.0);
    EXPECT_EQ(list.Items(0)->Duration(), 0.0);
    EXPECT_EQ(list.Items(1)->FromTime(), 0.0);
    EXPECT_TRUE(TimesEqual(list.Items(1)->ToTime(), EncodeTime(13, 0, 0, 0)));
    EXPECT_EQ(list.Items(1)->Duration(), 0.0);
    EXPECT_TRUE(TimesEqual(list.Items(2)->FromTime(), EncodeTime(12, 0, 0, 0)));
    EXPECT_TRUE(list.Items(2)->ActivityLocator()->IsBreak());

    list.LoadFromValueList(std::make_shared<TPropertyValueList>());
    EXPECT_EQ(list.Count(), 0);
    list.AddNew();
    LoadPlannedBreaksFromSection(list, std::make_shared<TPropertyList>()); // no value list at all
    EXPECT_EQ(list.Count(), 0);
}

TEST(PlannedBreakTest, RecognitionOverTheListReturnsTheBreak) {
    TPlannedBreakList list;
    auto coffee = list.AddNew();
    coffee->SetFromTime(EncodeTime(9, 0, 0, 0));
    coffee->SetToTime(EncodeTime(9, 30, 0, 0));
    coffee->SetDuration(10 * OneMinute);
    auto lunch = list.AddNew();
    lunch->SetFromTime(EncodeTime(12, 0, 0, 0));
    lunch->SetToTime(EncodeTime(13, 0, 0, 0));
    lunch->SetDuration(30 * OneMinute);
    BookTo(*lunch, Lunch, "Lunch");

    const double today = EncodeDate(2024, 3, 6);
    const double a = today + EncodeTime(11, 15, 0, 0);
    const double b = today + EncodeTime(13, 5, 0, 0);
    EXPECT_EQ(RecognisePlannedBreak(list, a, b, b, today, {}), lunch);
    EXPECT_EQ(RecognisePlannedBreak(list, a, b, b, today, {{Lunch, today + EncodeTime(12, 40, 0, 0)}}), nullptr);
    EXPECT_EQ(PlannedBreakValues(*lunch).ActivityId, Lunch);
}
