// Global hot keys on a real X server. run-with-xvfb.sh starts one (with a tray host) for these
// tests; without an X server they are skipped.

#include "X11TestSupport.h"
#include "ui/platform/GlobalHotKeys.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class GlobalHotKeysX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TGlobalHotKeys::IsAvailable())
            GTEST_SKIP() << "no X server (run through run-with-xvfb.sh)";
    }
};

} // namespace

TEST_F(GlobalHotKeysX11Test, ARegisteredKeyFiresItsIdWhenPressed) {
    TGlobalHotKeys hotKeys;
    QSignalSpy activated(&hotKeys, &TGlobalHotKeys::Activated);
    ASSERT_TRUE(hotKeys.Register(2, ShiftControlT));
    ASSERT_TRUE(hotKeys.Register(1, 0x0471)); // alt+F2
    EXPECT_TRUE(hotKeys.IsRegistered(2));

    ASSERT_TRUE(PressKeys(QStringLiteral("ctrl+shift+t")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return activated.count() >= 1; }, 5000));
    EXPECT_EQ(activated.at(0).at(0).toInt(), 2);

    // A different modifier combination is not the hot key.
    ASSERT_TRUE(PressKeys(QStringLiteral("ctrl+t")));
    ASSERT_TRUE(PressKeys(QStringLiteral("alt+F2")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return activated.count() >= 2; }, 5000));
    EXPECT_EQ(activated.at(1).at(0).toInt(), 1);

    // Once unregistered, the key no longer reaches the program.
    hotKeys.Unregister(2);
    EXPECT_FALSE(hotKeys.IsRegistered(2));
    ASSERT_TRUE(PressKeys(QStringLiteral("ctrl+shift+t")));
    QTest::qWait(300);
    EXPECT_EQ(activated.count(), 2);
}

TEST_F(GlobalHotKeysX11Test, AKeyHeldByAnotherClientFailsQuietlyAndCanBeTakenLater) {
    TGlobalHotKeys hotKeys;
    {
        OtherClientGrab other;
        ASSERT_TRUE(other.Grabbed());
        EXPECT_FALSE(hotKeys.Register(2, ShiftControlT));
        EXPECT_FALSE(hotKeys.IsRegistered(2));
        // The other hot key is not affected.
        EXPECT_TRUE(hotKeys.Register(1, 0x0471));
    }
    EXPECT_TRUE(hotKeys.Register(2, ShiftControlT));
}

TEST_F(GlobalHotKeysX11Test, KeysThisKeyboardLacksAreNotRegistered) {
    TGlobalHotKeys hotKeys;
    EXPECT_FALSE(hotKeys.Register(1, 0));
    EXPECT_FALSE(hotKeys.Register(1, 0x0207)); // no key for virtual-key code 7
}

TEST_F(GlobalHotKeysX11Test, AHotKeyFollowsItsKeyWhenTheKeyboardLayoutChanges) {
    const auto setLayout = [](const QString& layout) {
        return QProcess::execute(QStringLiteral("setxkbmap"), {layout}) == 0;
    };
    if (!setLayout(QStringLiteral("us")))
        GTEST_SKIP() << "setxkbmap cannot set a layout here";
    TGlobalHotKeys hotKeys;
    QSignalSpy activated(&hotKeys, &TGlobalHotKeys::Activated);
    ASSERT_TRUE(hotKeys.Register(3, 0x035A)); // shift+control+Z

    // The German layout swaps Y and Z: Z now lies on the key that was Y.
    ASSERT_TRUE(setLayout(QStringLiteral("de")));
    QTest::qWait(300); // the layout-change events reach the program
    // The key the hot key was grabbed on before is Y now and no longer fires it.
    ASSERT_TRUE(PressKeys(QStringLiteral("ctrl+shift+y")));
    QTest::qWait(300);
    const int afterY = static_cast<int>(activated.count());
    ASSERT_TRUE(PressKeys(QStringLiteral("ctrl+shift+z")));
    const bool fired = QTest::qWaitFor([&] { return activated.count() > afterY; }, 5000);
    setLayout(QStringLiteral("us"));
    EXPECT_EQ(afterY, 0);
    ASSERT_TRUE(fired);
    EXPECT_EQ(activated.last().at(0).toInt(), 3);
}
