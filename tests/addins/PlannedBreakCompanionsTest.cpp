// The planned breaks as an add-in sees them: a list and its breaks through the SDK interfaces,
// over the program's list; every change made through them is reported to the list's owner.

#include "addins/PlannedBreakCompanions.h"
#include "addins/ModelCompanions.h"
#include "model/PropertyValueList.h"
#include "support/SdkTestSupport.h"

#include <gtest/gtest.h>

using namespace HoraluxSDK;

namespace {

/// A break an add-in made itself: nothing of the program behind it.
class ForeignBreak : public AddInObject<IHXPlannedBreak> {
public:
    HXRESULT get_FromTime(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_FromTime(HXDATE) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_ToTime(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_ToTime(HXDATE) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_Duration(HXDATE*) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT put_Duration(HXDATE) noexcept override { return HX_E_NOTIMPL; }
    HXRESULT get_ActivityLocator(IHXActivityLocator**) noexcept override { return HX_E_NOTIMPL; }
};

class PlannedBreakCompanionsTest : public testing::Test {
protected:
    PlannedBreakCompanionsTest() : m_companion(NewPlannedBreakListCompanion(m_breaks, [this] { ++m_changes; })) {}

    /// Adds a break through the companion with these values.
    void AddBreak(double from, double to, double duration) {
        HXRef<IHXPlannedBreak> added;
        ASSERT_EQ(m_companion->AddNew(added.Out()), HX_S_OK);
        ASSERT_EQ(added->put_FromTime(from), HX_S_OK);
        ASSERT_EQ(added->put_ToTime(to), HX_S_OK);
        ASSERT_EQ(added->put_Duration(duration), HX_S_OK);
    }

    std::shared_ptr<TPlannedBreakList> m_breaks = std::make_shared<TPlannedBreakList>();
    int m_changes = 0;
    HXRef<IHXPlannedBreakList> m_companion;
};

TEST_F(PlannedBreakCompanionsTest, BreaksAddedAndChangedReachTheListAndAreReported) {
    AddBreak(12.0 / 24, 13.5 / 24, 0.5 / 24);
    ASSERT_EQ(m_breaks->Count(), 1);
    const PlannedBreakPtr lunch = m_breaks->Items(0);
    EXPECT_DOUBLE_EQ(lunch->FromTime(), 12.0 / 24);
    EXPECT_DOUBLE_EQ(lunch->ToTime(), 13.5 / 24);
    EXPECT_DOUBLE_EQ(lunch->Duration(), 0.5 / 24);
    // AddNew, three values, and the break's companion going.
    EXPECT_EQ(m_changes, 5);

    int32_t count = 0;
    ASSERT_EQ(m_companion->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 1);
    HXRef<IHXPlannedBreak> item;
    ASSERT_EQ(m_companion->get_Items(0, item.Out()), HX_S_OK);
    HXDATE value = 0;
    ASSERT_EQ(item->get_ToTime(&value), HX_S_OK);
    EXPECT_DOUBLE_EQ(value, 13.5 / 24);
    HXRef<IHXActivityLocator> locator;
    ASSERT_EQ(item->get_ActivityLocator(locator.Out()), HX_S_OK);
    HXBOOL isBreak = HX_FALSE;
    ASSERT_EQ(locator->get_IsBreak(&isBreak), HX_S_OK);
    EXPECT_EQ(isBreak, HX_TRUE) << "a new break is booked to the break";

    m_changes = 0;
    ASSERT_EQ(m_companion->Remove(item.get()), HX_S_OK);
    EXPECT_EQ(m_breaks->Count(), 0);
    EXPECT_EQ(m_changes, 1);
    AddBreak(0.4, 0.5, 0.02);
    m_changes = 0;
    ASSERT_EQ(m_companion->Clear(), HX_S_OK);
    EXPECT_EQ(m_breaks->Count(), 0);
    EXPECT_EQ(m_changes, 1);
}

TEST_F(PlannedBreakCompanionsTest, TheListGoesToAndComesFromAValueList) {
    AddBreak(12.0 / 24, 13.0 / 24, 0.5 / 24);
    AddBreak(15.0 / 24, 16.0 / 24, 0.25 / 24);
    const auto values = std::make_shared<TPropertyValueList>();
    HXRef<IHXPropertyValueList> valuesCompanion(NewPropertyValueListCompanion(values));
    ASSERT_EQ(m_companion->SaveToValueList(valuesCompanion.get()), HX_S_OK);
    EXPECT_EQ(values->Count(), 2);

    const auto other = std::make_shared<TPlannedBreakList>();
    HXRef<IHXPlannedBreakList> otherCompanion(NewPlannedBreakListCompanion(other));
    ASSERT_EQ(otherCompanion->LoadFromValueList(valuesCompanion.get()), HX_S_OK);
    ASSERT_EQ(other->Count(), 2);
    EXPECT_DOUBLE_EQ(other->Items(1)->FromTime(), 15.0 / 24);
    EXPECT_DOUBLE_EQ(other->Items(1)->Duration(), 0.25 / 24);
}

TEST_F(PlannedBreakCompanionsTest, ForeignObjectsAndBadIndexesAreRefused) {
    AddBreak(0.5, 0.55, 0.02);
    m_changes = 0;

    // A break of another list leaves this one as it is; a break of the add-in's own is refused.
    const auto other = std::make_shared<TPlannedBreakList>();
    HXRef<IHXPlannedBreakList> otherCompanion(NewPlannedBreakListCompanion(other));
    HXRef<IHXPlannedBreak> stranger;
    ASSERT_EQ(otherCompanion->AddNew(stranger.Out()), HX_S_OK);
    ASSERT_EQ(m_companion->Remove(stranger.get()), HX_S_OK);
    EXPECT_EQ(m_breaks->Count(), 1);

    m_changes = 0;
    ForeignBreak foreign;
    EXPECT_EQ(m_companion->Remove(&foreign), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("PlannedBreakList.Remove: not an object of this program"));
    EXPECT_EQ(m_companion->LoadFromValueList(nullptr), HX_E_FAIL);
    EXPECT_FALSE(TakeErrorDescription().isEmpty());
    EXPECT_EQ(m_breaks->Count(), 1);

    for (const int32_t index : {-1, 1}) {
        IHXPlannedBreak* none = reinterpret_cast<IHXPlannedBreak*>(this);
        EXPECT_EQ(m_companion->get_Items(index, &none), HX_E_FAIL) << index;
        EXPECT_EQ(none, nullptr);
        EXPECT_FALSE(TakeErrorDescription().isEmpty());
    }
    EXPECT_EQ(m_companion->get_Count(nullptr), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("PlannedBreakList.Count"));
    EXPECT_EQ(m_changes, 0) << "nothing refused counts as a change";
}

TEST_F(PlannedBreakCompanionsTest, ABreakCompanionKeepsItsBreakAfterTheListLetItGo) {
    AddBreak(0.5, 0.55, 0.02);
    HXRef<IHXPlannedBreak> item;
    ASSERT_EQ(m_companion->get_Items(0, item.Out()), HX_S_OK);
    m_companion.Reset();
    m_breaks->Clear();
    m_breaks.reset();
    HXDATE from = 0;
    ASSERT_EQ(item->get_FromTime(&from), HX_S_OK);
    EXPECT_DOUBLE_EQ(from, 0.5);
}

} // namespace
