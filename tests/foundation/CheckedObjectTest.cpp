#include "foundation/CheckedObject.h"

#include "foundation/Log.h"

#include <gtest/gtest.h>

namespace {

class TLeaky : public TInterfacedAndCheckedObject {};
class TAuto : public TCheckedAutoObject {};

class CheckedObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedLog = GetLogSettings();
        GetLogSettings() = {LogTarget::None, 0, QString()};
        ReportLiveObjects(); // start from an empty list
        SetLiveObjectTracking(true);
        GetLogSettings() = {LogTarget::Console, LogLevelNormal | LogLevelLeaks, QString()};
    }
    void TearDown() override {
        SetLiveObjectTracking(false);
        GetLogSettings() = m_savedLog;
    }
    // Runs the end-of-program report and returns what it wrote.
    std::string Report(int& count) {
        testing::internal::CaptureStdout();
        count = ReportLiveObjects();
        return testing::internal::GetCapturedStdout();
    }
    static std::string Identity(const void* object) { return std::to_string(reinterpret_cast<quintptr>(object)); }

    LogSettings m_savedLog;
};

} // namespace

TEST_F(CheckedObjectTest, NormalEndListsNoObjects) {
    {
        auto a = std::make_shared<TLeaky>();
        auto b = std::make_shared<TAuto>();
        EXPECT_EQ(LiveObjectCount(), 2);
    }
    int count = -1;
    EXPECT_EQ(Report(count), "Total trash objects: 0\n");
    EXPECT_EQ(count, 0);
}

TEST_F(CheckedObjectTest, LeftoverObjectsAreListedInCreationOrder) {
    auto first = std::make_shared<TLeaky>();
    auto gone = std::make_shared<TLeaky>();
    auto second = std::make_shared<TAuto>();
    gone.reset();
    int count = 0;
    EXPECT_EQ(Report(count), "trash object: TLeaky (" + Identity(first.get()) + ")\n" + "trash object: TAuto (" +
                                 Identity(second.get()) + ")\nTotal trash objects: 2\n");
    EXPECT_EQ(count, 2);
    // The report empties the list and leaves tracking as it was.
    EXPECT_EQ(LiveObjectCount(), 0);
    EXPECT_TRUE(LiveObjectTracking());
}

TEST_F(CheckedObjectTest, TrackingSwitchDecidesListingButEveryListedObjectLeavesOnDestruction) {
    SetLiveObjectTracking(false);
    auto untracked = std::make_shared<TLeaky>();
    SetLiveObjectTracking(true);
    auto tracked = std::make_shared<TLeaky>();
    EXPECT_EQ(LiveObjectCount(), 1);
    // Destroyed while tracking is off: it must not stay listed as a dangling entry.
    SetLiveObjectTracking(false);
    tracked.reset();
    SetLiveObjectTracking(true);
    int count = -1;
    EXPECT_EQ(Report(count), "Total trash objects: 0\n");
}

TEST_F(CheckedObjectTest, WithoutTrackingThereIsNoReport) {
    auto kept = std::make_shared<TLeaky>();
    SetLiveObjectTracking(false);
    int count = -1;
    EXPECT_EQ(Report(count), "");
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(LiveObjectTracking());
    EXPECT_EQ(LiveObjectCount(), 0);
}

TEST_F(CheckedObjectTest, ReportLinesAreLeakListLevel) {
    auto kept = std::make_shared<TLeaky>();
    GetLogSettings().levelMask = LogLevelNormal;
    int count = 0;
    EXPECT_EQ(Report(count), "");
    EXPECT_EQ(count, 1);
}

TEST_F(CheckedObjectTest, RefCountIsLogged) {
    auto a = std::make_shared<TLeaky>();
    auto b = a;
    testing::internal::CaptureStdout();
    a->LogRefCount();
    b.reset();
    a->LogRefCount();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "RefCount: 2\nRefCount: 1\n");
    EXPECT_EQ(a->ClassName(), QStringLiteral("TLeaky"));
}

namespace {

class IOwn {
public:
    virtual ~IOwn() = default;
    virtual int Own() const = 0;
};
class IForwarded {
public:
    virtual ~IForwarded() = default;
    virtual int Forwarded() const = 0;
};
class INobody {
public:
    virtual ~INobody() = default;
};

class TDomain : public TWrappableObject, public IOwn {
public:
    explicit TDomain(TCompanionClass companionClass) : TWrappableObject(std::move(companionClass)) {}
    int Own() const override { return 7; }
};

class TCompanion : public TCheckedAutoObject, public IForwarded {
public:
    explicit TCompanion(TDomain& controller) : m_controller(controller) {}
    int Forwarded() const override { return m_controller.Own() * 2; }

private:
    TDomain& m_controller;
};

} // namespace

TEST_F(CheckedObjectTest, WrappableObjectAnswersThroughItsCompanionCreatedOnce) {
    int created = 0;
    auto object = std::make_shared<TDomain>([&](TWrappableObject& controller) {
        ++created;
        return std::make_unique<TCompanion>(static_cast<TDomain&>(controller));
    });
    EXPECT_EQ(object->GetInterface<IOwn>()->Own(), 7);
    EXPECT_FALSE(object->HasCompanion());

    std::shared_ptr<IForwarded> forwarded = object->GetInterface<IForwarded>();
    ASSERT_TRUE(forwarded);
    EXPECT_EQ(forwarded->Forwarded(), 14);
    EXPECT_EQ(object->GetInterface<IForwarded>(), forwarded);
    EXPECT_EQ(object->GetInterface<INobody>(), nullptr);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(LiveObjectCount(), 2); // the object and its companion

    // A reference to the companion's interface keeps the controller alive.
    std::weak_ptr<TDomain> watch = object;
    object.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(forwarded->Forwarded(), 14);
    forwarded.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(LiveObjectCount(), 0);
}

TEST_F(CheckedObjectTest, WrappableObjectWithoutCompanionClassAnswersOnlyForItself) {
    auto object = std::make_shared<TDomain>(nullptr);
    EXPECT_TRUE(object->GetInterface<IOwn>());
    EXPECT_EQ(object->GetInterface<IForwarded>(), nullptr);
}
