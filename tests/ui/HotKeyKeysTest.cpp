#include "ui/platform/HotKeyKeys.h"

#include <gtest/gtest.h>

TEST(HotKeyKeysTest, ModifierBitsBecomeRegistrationAndXModifiers) {
    const struct {
        std::uint16_t value;
        unsigned registration;
        std::uint16_t x11;
    } cases[] = {
        {0x0354, 6, 1 | 4}, // shift + control + T
        {0x0154, 4, 1},     // shift
        {0x0254, 2, 4},     // control
        {0x0454, 1, 8},     // alt
        {0x0F54, 7, 13},    // all three; the extended bit is dropped
        {0x0054, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HotKeyRegistrationModifiers(c.value), c.registration) << std::hex << c.value;
        EXPECT_EQ(X11ModifierMask(HotKeyRegistrationModifiers(c.value)), c.x11) << std::hex << c.value;
        EXPECT_EQ(HotKeyVirtualKey(c.value), 0x54u);
    }
}

TEST(HotKeyKeysTest, VirtualKeysMapToKeySymsAndToolkitKeys) {
    const struct {
        unsigned vk;
        std::uint32_t keySym;
        Qt::Key key;
    } cases[] = {
        {0x54, 0x74, Qt::Key_T}, // letters grab their unshifted symbol
        {0x41, 0x61, Qt::Key_A},        {0x5A, 0x7a, Qt::Key_Z},        {0x30, 0x30, Qt::Key_0},
        {0x39, 0x39, Qt::Key_9},        {0x70, 0xffbe, Qt::Key_F1},     {0x87, 0xffd5, Qt::Key_F24},
        {0x60, 0xffb0, Qt::Key_0}, // number pad 0
        {0x20, 0x20, Qt::Key_Space},    {0x2E, 0xffff, Qt::Key_Delete}, {0x25, 0xff51, Qt::Key_Left},
        {0x0D, 0xff0d, Qt::Key_Return}, {0xBC, 0x2c, Qt::Key_Comma},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeySymFromVirtualKey(c.vk), c.keySym) << std::hex << c.vk;
        EXPECT_EQ(QtKeyFromVirtualKey(c.vk), c.key) << std::hex << c.vk;
    }
    for (unsigned unknown : {0x00u, 0x07u, 0x3Au, 0xFFu}) {
        EXPECT_FALSE(KeySymFromVirtualKey(unknown)) << unknown;
        EXPECT_FALSE(QtKeyFromVirtualKey(unknown)) << unknown;
    }
}

TEST(HotKeyKeysTest, KeySequencesRoundTripTheStoredValue) {
    for (std::uint16_t value : {0x0354, 0x0470, 0x0620, 0x0130, 0x022E, 0x02BC})
        EXPECT_EQ(HotKeyFromKeySequence(HotKeyToKeySequence(value)), value) << std::hex << value;
    EXPECT_EQ(HotKeyToKeySequence(0x0354), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_T));
    // The main keyboard wins over the number pad; the extended bit is not kept.
    EXPECT_EQ(HotKeyFromKeySequence(HotKeyToKeySequence(0x0860)), 0x0030);
    EXPECT_TRUE(HotKeyToKeySequence(0).isEmpty());
    EXPECT_TRUE(HotKeyToKeySequence(0x0207).isEmpty());
    EXPECT_EQ(HotKeyFromKeySequence(QKeySequence()), 0);
    EXPECT_EQ(HotKeyFromKeySequence(QKeySequence(Qt::CTRL | Qt::Key_Launch0)), 0);
}
