#include "ModelTestSupport.h"

#include "foundation/DateTime.h"
#include "model/ActivityLocator.h"
#include "model/DayEntryListContainer.h"
#include "model/EntryInfo.h"
#include "model/EntryList.h"
#include "model/HXTools.h"
#include "model/PropertyList.h"
#include "support/TestEnvironment.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;

namespace {

double T(int hours, int minutes = 0) {
    return (hours * 60 + minutes) / 1440.0;
}

const double Day = EncodeDate(2006, 3, 14);

std::shared_ptr<TDayEntryList> NewDayList(double date = Day) {
    return std::make_shared<TDayEntryList>(std::make_shared<TestActivityEntryProvider>(), date);
}

ActivityEntryPtr AddEntry(const std::shared_ptr<TDayEntryList>& list, double start, double end, double duration,
                          const TGUID& activity = IdM) {
    auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
    entry->SetTime(start, end);
    entry->SetDuration(duration);
    // As the booker does it: the locator is assigned, so the entry is Changed through it.
    auto values = std::make_shared<TPropertyList>(30, 1);
    values->Items("id")->SetAsGUID(activity);
    auto locator = std::make_shared<TActivityLocator>();
    locator->LoadFromPropertyList(values);
    entry->Locator()->Assign(locator);
    return entry;
}

ActivityEntryPtr At(const std::shared_ptr<TDayEntryList>& list, int index) {
    return std::dynamic_pointer_cast<IHXActivityEntry_>(list->Items(index));
}

/// The element form of one entry, as another program version or a damaged file may hold it.
QString EntryXml(const QString& properties, const QString& tag = "entry") {
    return "<" + tag + ">" + properties + "</" + tag + ">";
}

QString Prop(const QString& name, const QString& type, const QString& value) {
    return QStringLiteral("<property name=\"%1\" type=\"%2\" value=\"%3\"/>").arg(name, type, value);
}

const QString GoodEntryProperties = Prop("date", "date", "2006-03-14") + Prop("starttime", "time", "09:00:00") +
                                    Prop("endtime", "time", "10:00:00") + Prop("duration", "duration", "01:00:00");

} // namespace

// ---- Entries ----------------------------------------------------------------------------------

TEST(Entry, SetTimeAcceptsOnlyAPeriodOfTheDay) {
    struct Case {
        double start, end;
        bool valid;
    };
    const Case cases[] = {
        {T(23), 1.0, true},   {T(10), T(9, 59), false},
        {T(10), T(10), true}, {T(10), T(10) - 0.4 / 86400000.0, true}, // within a millisecond counts as equal
        {-0.1, T(1), false},  {T(1), 1.5, false},
        {NAN, T(1), false},   {T(1), INFINITY, false},
    };
    for (const auto& c : cases) {
        TActivityEntry entry;
        entry.SetTime(T(1), T(2));
        entry.SaveAsPropertyList();
        if (c.valid) {
            entry.SetTime(c.start, c.end);
            EXPECT_EQ(entry.StartTime(), c.start);
            EXPECT_TRUE(entry.Changed());
        } else {
            try {
                entry.SetTime(c.start, c.end);
                ADD_FAILURE() << c.start << " " << c.end;
            } catch (const EEntryTimeError& e) {
                EXPECT_EQ(e.Message(), "Invalid Date/StartTime/EndTime combination");
            }
            EXPECT_EQ(entry.StartTime(), T(1));
            EXPECT_EQ(entry.EndTime(), T(2));
            EXPECT_FALSE(entry.Changed());
        }
    }
}

TEST(Entry, DateIsAssignedOnce) {
    TEntry entry;
    entry.SetDate(Day + T(13, 30));
    EXPECT_EQ(entry.Date(), Day);
    EXPECT_FALSE(entry.Changed());
    entry.SetDate(Day + T(20));
    EXPECT_EQ(entry.Date(), Day);
    try {
        entry.SetDate(Day + 1);
        ADD_FAILURE();
    } catch (const EEntryTimeError& e) {
        EXPECT_EQ(e.Message(), "Date is already assigned and cannot be reassigned");
    }
    EXPECT_EQ(entry.Date(), Day);
}

TEST(Entry, CompareDateTimeByDayThenStartThenEnd) {
    auto make = [](double date, double start, double end) {
        auto e = std::make_shared<TEntry>();
        e->SetDate(date);
        e->SetTime(start, end);
        return e;
    };
    auto a = make(Day, T(9), T(10));
    EXPECT_EQ(a->CompareDateTime(make(Day + 1, T(1), T(2))), -1);
    EXPECT_EQ(a->CompareDateTime(make(Day, T(8), T(12))), 1);
    EXPECT_EQ(a->CompareDateTime(make(Day, T(9), T(11))), -1);
    EXPECT_EQ(a->CompareDateTime(make(Day, T(9) + 0.5 / 86400000.0, T(10))), 0);
    EXPECT_THROW(a->CompareDateTime(nullptr), EUnassignedArgumentError);
}

TEST(ActivityEntry, PropertyListFormMarksOnlyConfirmedEntries) {
    auto list = NewDayList();
    auto entry = AddEntry(list, T(9), T(10), T(1));
    auto values = entry->SaveAsPropertyList();
    EXPECT_EQ(values->Find("isproblem"), nullptr) << "a new entry is unconfirmed";
    EXPECT_EQ(values->Items("date")->DataType(), hxpdtDate);
    EXPECT_EQ(values->Items("starttime")->DataType(), hxpdtTime);
    EXPECT_EQ(values->Items("duration")->DataType(), hxpdtDuration);
    EXPECT_EQ(values->Items("activitylocator")->AsPropertyList()->Items("id")->AsGUID(), IdM);

    TActivityEntry read;
    read.LoadFromPropertyList(values);
    EXPECT_TRUE(read.IsProblem());
    EXPECT_EQ(read.Locator()->ID(), IdM);
    EXPECT_DOUBLE_EQ(read.Duration(), T(1));
    EXPECT_FALSE(read.Changed());

    entry->SetIsProblem(false);
    values = entry->SaveAsPropertyList();
    ASSERT_NE(values->Find("isproblem"), nullptr);
    EXPECT_FALSE(values->Find("isproblem")->AsBoolean());
    TActivityEntry confirmed;
    confirmed.LoadFromPropertyList(values);
    EXPECT_FALSE(confirmed.IsProblem());
    EXPECT_THROW(entry->AddToPropertyList(nullptr), EUnassignedArgumentError);
}

TEST(ActivityEntry, UnknownPropertiesSurviveLoadAndSave) {
    auto values = std::make_shared<TPropertyList>(30, 1);
    values->Items("date")->SetAsDate(Day);
    values->Items("starttime")->SetAsTime(T(8));
    values->Items("endtime")->SetAsTime(T(9));
    values->Items("addin note")->SetAsString("keep me");
    values->Items("addin count")->SetAsInteger(3);
    const int countBefore = values->Count();

    TActivityEntry entry;
    entry.LoadFromPropertyList(values);
    EXPECT_EQ(values->Count(), countBefore) << "the caller's list is not changed";
    EXPECT_EQ(entry.AdditionalProperties()->Count(), 2);
    auto saved = entry.SaveAsPropertyList();
    EXPECT_EQ(saved->Items("addin note")->AsString(), "keep me");
    EXPECT_EQ(saved->Items("addin count")->AsInteger(), 3);
    EXPECT_DOUBLE_EQ(saved->Items("endtime")->AsTime(), T(9));
}

TEST(ActivityEntry, RefusedPropertyListLeavesTheEntryAsItWas) {
    auto list = NewDayList();
    auto entry = AddEntry(list, T(9), T(10), T(1), IdA);
    entry->SaveAsPropertyList();

    auto missingDate = std::make_shared<TPropertyList>(30, 1);
    missingDate->Items("starttime")->SetAsTime(T(1));
    missingDate->Items("endtime")->SetAsTime(T(2));
    EXPECT_THROW(entry->LoadFromPropertyList(missingDate), EPropertyWrongDataType);

    auto badTimes = std::make_shared<TPropertyList>(30, 1);
    badTimes->Items("date")->SetAsDate(Day);
    badTimes->Items("starttime")->SetAsTime(T(11));
    badTimes->Items("endtime")->SetAsTime(T(10));
    EXPECT_THROW(entry->LoadFromPropertyList(badTimes), EEntryTimeError);

    auto badLocator = std::make_shared<TPropertyList>(30, 1);
    badLocator->Items("date")->SetAsDate(Day);
    badLocator->Items("starttime")->SetAsTime(T(1));
    badLocator->Items("endtime")->SetAsTime(T(2));
    badLocator->Items("activitylocator")->AsPropertyList()->Items("id")->SetAsString("abc");
    EXPECT_THROW(entry->LoadFromPropertyList(badLocator), EVRNConvertError);

    auto otherDay = std::make_shared<TPropertyList>(30, 1);
    otherDay->Assign(badTimes);
    otherDay->Items("date")->SetAsDate(Day + 1);
    otherDay->Items("starttime")->SetAsTime(T(1));
    EXPECT_THROW(entry->LoadFromPropertyList(otherDay), EEntryTimeError);

    EXPECT_EQ(entry->StartTime(), T(9));
    EXPECT_EQ(entry->EndTime(), T(10));
    EXPECT_EQ(entry->Locator()->ID(), IdA);
    EXPECT_DOUBLE_EQ(entry->Duration(), T(1));
    EXPECT_FALSE(entry->Changed());
    EXPECT_THROW(entry->LoadFromPropertyList(nullptr), EUnassignedArgumentError);
}

TEST(ActivityEntry, ChangedFollowsEditsLocatorAndSaving) {
    TActivityEntry entry;
    EXPECT_FALSE(entry.Changed());
    entry.CalculateDuration();
    EXPECT_TRUE(entry.Changed());
    entry.SaveAsPropertyList();
    EXPECT_FALSE(entry.Changed());

    auto booked = std::make_shared<TActivityLocator>();
    booked->SetIsBreak(true);
    entry.Locator()->Assign(booked);
    EXPECT_TRUE(entry.Changed()) << "through the locator";
    entry.SaveAsPropertyList();
    EXPECT_FALSE(entry.Changed()) << "a written entry is unchanged, its locator included";
}

TEST(ActivityEntry, CalculateDurationIsTheSpan) {
    TActivityEntry entry;
    entry.SetTime(T(22, 30), 1.0);
    entry.CalculateDuration();
    EXPECT_NEAR(entry.Duration(), T(1, 30), 1e-12);
}

// ---- Lists -------------------------------------------------------------------------------------

TEST(DayEntryList, AddChecksTheEntry) {
    auto list = NewDayList();
    EXPECT_THROW(list->Add(nullptr), EUnassignedArgumentError);
    auto entry = list->AddNew();
    EXPECT_EQ(entry->Date(), Day);
    EXPECT_TRUE(list->Changed());
    try {
        list->Add(entry);
        ADD_FAILURE();
    } catch (const EVRNListError& e) {
        EXPECT_EQ(e.Message(), "Entry already in List");
    }
    auto other = std::make_shared<TActivityEntry>();
    other->SetDate(Day + 1);
    try {
        list->Add(other);
        ADD_FAILURE();
    } catch (const EVRNListError& e) {
        EXPECT_EQ(e.Message(), "Cannot add entry for another date");
    }
    EXPECT_EQ(list->Count(), 1);
    EXPECT_THROW(list->Delete(1), EVRNListError);
    list->Delete(0);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_THROW(TProvidedEntryList(nullptr), EUnassignedArgumentError);
}

TEST(DayEntryList, SortOrdersByTime) {
    auto list = NewDayList();
    AddEntry(list, T(12), T(13), T(1));
    AddEntry(list, T(8), T(10), T(2));
    AddEntry(list, T(8), T(9), T(1));
    list->Sort();
    EXPECT_EQ(list->Items(0)->EndTime(), T(9));
    EXPECT_EQ(list->Items(1)->EndTime(), T(10));
    EXPECT_EQ(list->Items(2)->StartTime(), T(12));
}

TEST(DayEntryList, XmlFormRoundTrip) {
    auto list = NewDayList();
    auto confirmed = AddEntry(list, T(9), T(10, 45), T(1, 15));
    confirmed->SetIsProblem(false);
    AddEntry(list, T(9), T(10, 45), T(0, 30), IdC);
    auto document = XMLCreateDocument("day");
    auto day = XMLDocumentElement(document);
    XMLAddChild(day, "leftover");
    ASSERT_TRUE(At(list, 1)->Locator()->Changed());
    list->SaveToXML(day);
    EXPECT_FALSE(list->Changed()) << "neither the list nor its entries are changed after writing";
    EXPECT_FALSE(At(list, 1)->Locator()->Changed());

    EXPECT_EQ(XMLGetValue(day, "date"), "2006-03-14");
    EXPECT_EQ(XMLChildNodeCount(day), 1);
    auto entries = XMLFindChild(day, "entries");
    ASSERT_TRUE(XMLAssigned(entries));
    EXPECT_EQ(XMLChildNodeCount(entries), 2);
    const QString text = XmlText(document);
    EXPECT_TRUE(text.contains("name=\"isproblem\" type=\"boolean\" value=\"false\""));
    EXPECT_EQ(text.count("isproblem"), 1);
    EXPECT_TRUE(text.contains("type=\"propertylist\""));

    auto read = NewDayList();
    read->LoadFromXML(day);
    ASSERT_EQ(read->Count(), 2);
    EXPECT_FALSE(read->Changed());
    EXPECT_FALSE(At(read, 0)->IsProblem());
    EXPECT_TRUE(At(read, 1)->IsProblem());
    EXPECT_EQ(At(read, 1)->Locator()->ID(), IdC);
    EXPECT_NEAR(At(read, 0)->Duration(), T(1, 15), 1e-9);
    EXPECT_NEAR(At(read, 0)->EndTime(), T(10, 45), 1e-9);
}

TEST(DayEntryList, BadEntriesAreCountedAndTheGoodOnesKept) {
    const QString missingDate = Prop("starttime", "time", "09:00:00") + Prop("endtime", "time", "10:00:00");
    const QString xml = "<day date=\"2006-03-14\"><entries>" + EntryXml(missingDate) + EntryXml(GoodEntryProperties) +
                        EntryXml(missingDate, "Entry") + "<other/>" +
                        EntryXml(Prop("date", "date", "2006-03-15") + Prop("starttime", "time", "09:00:00") +
                                 Prop("endtime", "time", "10:00:00")) +
                        "</entries></day>";
    auto document = ParseXml(xml);
    auto list = NewDayList();
    try {
        list->LoadFromXML(XMLDocumentElement(document));
        ADD_FAILURE();
    } catch (const EEntryLoadError& e) {
        EXPECT_TRUE(e.Message().startsWith("TEntryListBase.LoadFromXML: 3 entries failed to load. Exceptions occured "
                                           "are:\r\n"))
            << e.Message().toStdString();
        EXPECT_EQ(e.Message().count("Wrong data type"), 1) << "each message once";
        EXPECT_THAT(e.Message().toStdString(), HasSubstr("\r\nCannot add entry for another date"));
    }
    ASSERT_EQ(list->Count(), 1);
    EXPECT_EQ(list->Items(0)->StartTime(), T(9));
    EXPECT_TRUE(list->Changed());
}

TEST(DayEntryList, UpperCaseEntryElementsAreRead) {
    auto document = ParseXml("<day><entries>" + EntryXml(GoodEntryProperties, "ENTRY") + "</entries></day>");
    auto list = NewDayList();
    list->LoadFromXML(XMLDocumentElement(document));
    EXPECT_EQ(list->Count(), 1);
    EXPECT_FALSE(list->Changed());
}

TEST(DayEntryList, CloneIsAnUnchangedIndependentCopy) {
    auto list = NewDayList();
    AddEntry(list, T(9), T(10), T(1));
    EXPECT_TRUE(list->Changed());
    auto clone = list->Clone();
    EXPECT_FALSE(clone->Changed());
    ASSERT_EQ(clone->Count(), 1);
    EXPECT_NE(clone->Items(0), list->Items(0));
    EXPECT_EQ(clone->Items(0)->CompareDateTime(list->Items(0)), 0);
    EXPECT_TRUE(std::dynamic_pointer_cast<IHXActivityEntry_>(clone->Items(0))->Locator()->Eq(At(list, 0)->Locator()));
    clone->Items(0)->SetTime(T(1), T(2));
    EXPECT_EQ(list->Items(0)->StartTime(), T(9));
}

TEST(DayEntryList, AssignFromAnotherDateIsRefused) {
    auto target = NewDayList();
    AddEntry(target, T(9), T(10), T(1));
    auto document = XMLCreateDocument("day");
    target->SaveToXML(XMLDocumentElement(document));
    auto other = NewDayList(Day + 1);
    AddEntry(other, T(1), T(2), T(1));
    try {
        target->Assign(other);
        ADD_FAILURE();
    } catch (const EVRNListError& e) {
        EXPECT_EQ(e.Message(), "Assigned DayEntryList list must have the same date");
    }
    EXPECT_EQ(target->Count(), 1);
    EXPECT_EQ(target->Items(0)->StartTime(), T(9));
    EXPECT_FALSE(target->Changed());

    auto sameDay = NewDayList();
    AddEntry(sameDay, T(11), T(12), T(1));
    AddEntry(sameDay, T(12), T(13), T(1));
    target->Assign(sameDay);
    EXPECT_EQ(target->Count(), 2);
    EXPECT_TRUE(target->Changed());
    EXPECT_NE(target->Items(0), sameDay->Items(0));
    EXPECT_THROW(target->Assign(nullptr), EUnassignedArgumentError);
}

// ---- Joining -----------------------------------------------------------------------------------

TEST(JoinSimilarEntries, JoinsContinuationsAndDropsEmptyEntries) {
    auto list = NewDayList();
    AddEntry(list, T(8), T(9), T(1));
    AddEntry(list, T(7), T(8), 0);          // no time spent: removed
    AddEntry(list, T(9), T(10), T(1), IdA); // another activity: stays
    AddEntry(list, T(9), T(10), T(1));      // continues the first one
    AddEntry(list, T(10), T(11), T(0, 30)); // another ratio: stays
    EXPECT_TRUE(JoinSimilarEntries(list));
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->Items(0)->StartTime(), T(8));
    EXPECT_EQ(list->Items(0)->EndTime(), T(10));
    EXPECT_NEAR(At(list, 0)->Duration(), T(2), 1e-9);
    EXPECT_EQ(At(list, 1)->Locator()->ID(), IdA);
    EXPECT_NEAR(At(list, 2)->Duration(), T(0, 30), 1e-9);
    EXPECT_FALSE(JoinSimilarEntries(list));
}

TEST(JoinSimilarEntries, ZeroLengthEntriesWithADurationAddUpInsteadOfBecomingNaN) {
    auto list = NewDayList();
    AddEntry(list, T(9), T(9), T(0, 20));
    AddEntry(list, T(9), T(9), T(0, 10));
    AddEntry(list, T(9), T(9, 0) + 2 * OneSecond, T(8)); // a tiny span against a long duration
    EXPECT_TRUE(JoinSimilarEntries(list));
    ASSERT_EQ(list->Count(), 1);
    const double duration = At(list, 0)->Duration();
    EXPECT_TRUE(std::isfinite(duration));
    EXPECT_NEAR(duration, T(8, 30), 1e-9);
    EXPECT_NEAR(list->Items(0)->EndTime(), T(9) + 2 * OneSecond, 1e-9);
}

// ---- Entry info and date info ------------------------------------------------------------------

TEST(EntryInfo, CreationAndPropertyListForm) {
    EXPECT_THROW(TEntryInfo info(hxeitSingle), EEntryInfoError);
    EXPECT_THROW(TEntryInfo(5, ActivityEntryTypeID), EEntryInfoError);
    auto single = std::make_shared<TEntryInfo>(hxeitSingle, ActivityEntryTypeID);
    auto list = std::make_shared<TPropertyList>(30, 1);
    single->SaveToPropertyList(list);
    EXPECT_EQ(list->Items("infotype")->AsString(), "single");
    EXPECT_EQ(list->Items("entrytypeid")->AsGUID(), ActivityEntryTypeID);

    TEntryInfo read;
    list->Items("infotype")->SetAsString("SINGLE");
    read.LoadFromPropertyList(list);
    EXPECT_EQ(read.InfoType(), hxeitSingle);
    EXPECT_EQ(read.EntryTypeID(), ActivityEntryTypeID);
    EXPECT_FALSE(read.Changed());
    list->Items("infotype")->SetAsString("some");
    EXPECT_THROW(read.LoadFromPropertyList(list), EEntryInfoNameError);
    EXPECT_EQ(read.InfoType(), hxeitSingle);

    TEntryInfo all;
    all.Assign(single);
    EXPECT_EQ(all.EntryTypeID(), ActivityEntryTypeID);
    EXPECT_THROW(all.Assign(nullptr), EUnassignedArgumentError);
}

TEST(DateInfo, CreationEqualityAndPropertyListForm) {
    EXPECT_THROW(TDateInfo info(hxditLimited), EDateInfoError);
    EXPECT_THROW(TDateInfo(2, Day), EDateInfoError);
    TDateInfo unlimited;
    EXPECT_THROW(unlimited.Date(), EDateInfoError);
    auto limited = std::make_shared<TDateInfo>(hxditLimited, Day + T(15));
    EXPECT_EQ(limited->Date(), Day);

    EXPECT_TRUE(limited->Equals(std::make_shared<TDateInfo>(hxditLimited, Day + T(2))));
    EXPECT_FALSE(limited->Equals(std::make_shared<TDateInfo>(hxditLimited, Day + 1)));
    EXPECT_FALSE(limited->Equals(std::make_shared<TDateInfo>()));
    EXPECT_TRUE(unlimited.Equals(std::make_shared<TDateInfo>()));
    EXPECT_FALSE(unlimited.Equals(nullptr));

    auto list = std::make_shared<TPropertyList>(30, 1);
    limited->SaveToPropertyList(list);
    EXPECT_EQ(list->Items("infotype")->AsString(), "limited");
    EXPECT_EQ(list->Items("date")->AsDate(), Day);
    unlimited.LoadFromPropertyList(list);
    EXPECT_TRUE(unlimited.Equals(limited));
    list->Items("infotype")->SetAsString("forever");
    EXPECT_THROW(unlimited.LoadFromPropertyList(list), EDateInfoNameError);

    TDateInfo copy;
    copy.Assign(limited);
    EXPECT_TRUE(copy.Changed());
    EXPECT_EQ(copy.Date(), Day);
}

// ---- Container ---------------------------------------------------------------------------------

TEST(DayEntryListContainer, HoldsOneListPerDayAndPurgesUnusedOldDays) {
    ScopedFixedClock clock(QDateTime(QDate(2006, 3, 14), QTime(12, 0)));
    TDayEntryListContainer container;
    EXPECT_THROW(container.Add(nullptr), EUnassignedArgumentError);
    for (int offset : {-5, -1, 0, -3}) {
        auto list = NewDayList(Day + offset);
        if (offset == -5)
            AddEntry(list, T(1), T(2), T(1));
        for (int i = 0; i < list->Count(); ++i)
            list->Items(i)->SaveAsPropertyList();
        list->SetChanged(offset == -3);
        container.Add(list);
    }
    try {
        container.Add(NewDayList(Day));
        ADD_FAILURE();
    } catch (const EVRNListError& e) {
        EXPECT_EQ(e.Message(), "Container already contains a DayEntryList with the date '2006-03-14'");
    }
    double minDate = 0, maxDate = 0;
    ASSERT_TRUE(container.GetMinMaxDate(minDate, maxDate));
    EXPECT_EQ(minDate, Day - 5);
    EXPECT_EQ(maxDate, Day - 5);
    EXPECT_TRUE(container.HasChanges());

    DayEntryListPtr held = container.Find(Day - 5);
    container.Purge();
    EXPECT_EQ(container.Count(), 4) << "held, today, yesterday and the changed list stay";
    held.reset();
    container.Purge();
    EXPECT_FALSE(container.Find(Day - 5));
    EXPECT_TRUE(container.Find(Day - 3));
    EXPECT_TRUE(container.Find(Day - 1));
    EXPECT_TRUE(container.Find(Day + T(23)));
}

TEST(HXTools, CreateEmptyEntryListsAndActivityLocators) {
    THXTools tools;
    const auto list = tools.CreateNewEntryList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_FALSE(list->Changed());
    EXPECT_NE(tools.CreateNewEntryList(), list) << "every call makes a list of its own";
    auto entry = std::dynamic_pointer_cast<TEntryListBase>(list)->CreateEntry();
    list->Add(entry);
    EXPECT_EQ(list->Count(), 1);

    const auto locator = tools.CreateNewActivityLocator();
    ASSERT_NE(locator, nullptr);
    EXPECT_TRUE(locator->ID().IsNull());
    EXPECT_TRUE(locator->Path().isEmpty());
    EXPECT_TRUE(locator->Name().isEmpty());
    EXPECT_FALSE(locator->IsBreak());
    EXPECT_NE(tools.CreateNewActivityLocator(), locator);
}
