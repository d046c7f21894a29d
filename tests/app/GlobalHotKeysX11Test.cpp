// Global hot keys on a real X server. run-with-xvfb.sh starts one (with a tray host) for these
// tests; without an X server they are skipped.

#include "app/GlobalHotKeys.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

constexpr std::uint16_t ShiftControlT = 0x0354;

class GlobalHotKeysX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TGlobalHotKeys::IsAvailable())
            GTEST_SKIP() << "no X server (run through run-with-xvfb.sh)";
    }

    static bool PressKeys(const QString& keys) {
        return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
    }
};

/// Another X client that grabs shift+control+T on the root window first.
class OtherClientGrab {
public:
    OtherClientGrab() : m_connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 't');
        if (codes && *codes != XCB_NO_SYMBOL) {
            xcb_void_cookie_t cookie =
                xcb_grab_key_checked(m_connection, 1, screen->root, XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL, codes[0],
                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            xcb_generic_error_t* error = xcb_request_check(m_connection, cookie);
            m_grabbed = error == nullptr;
            std::free(error);
        }
        std::free(codes);
        xcb_key_symbols_free(symbols);
    }
    ~OtherClientGrab() { xcb_disconnect(m_connection); }
    bool Grabbed() const { return m_grabbed; }

private:
    xcb_connection_t* m_connection;
    bool m_grabbed = false;
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
