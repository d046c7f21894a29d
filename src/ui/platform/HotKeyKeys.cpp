#include "ui/platform/HotKeyKeys.h"

#include "model/HotKeyProperty.h"

namespace {

struct KeyRow {
    unsigned virtualKey;
    std::uint32_t keySym;
    Qt::Key qtKey;
};

// Fixed keys; letters, digits, the number pad and the function keys follow from ranges below.
constexpr KeyRow FixedKeys[] = {
    {0x08, 0xff08, Qt::Key_Backspace}, // back space
    {0x09, 0xff09, Qt::Key_Tab},
    {0x0C, 0xff0b, Qt::Key_Clear},
    {0x0D, 0xff0d, Qt::Key_Return},
    {0x13, 0xff13, Qt::Key_Pause},
    {0x14, 0xffe5, Qt::Key_CapsLock},
    {0x1B, 0xff1b, Qt::Key_Escape},
    {0x20, 0x0020, Qt::Key_Space},
    {0x21, 0xff55, Qt::Key_PageUp},
    {0x22, 0xff56, Qt::Key_PageDown},
    {0x23, 0xff57, Qt::Key_End},
    {0x24, 0xff50, Qt::Key_Home},
    {0x25, 0xff51, Qt::Key_Left},
    {0x26, 0xff52, Qt::Key_Up},
    {0x27, 0xff53, Qt::Key_Right},
    {0x28, 0xff54, Qt::Key_Down},
    {0x2C, 0xff61, Qt::Key_Print},
    {0x2D, 0xff63, Qt::Key_Insert},
    {0x2E, 0xffff, Qt::Key_Delete},
    {0x2F, 0xff6a, Qt::Key_Help},
    {0x5D, 0xff67, Qt::Key_Menu}, // application key
    {0x6A, 0xffaa, Qt::Key_Asterisk},
    {0x6B, 0xffab, Qt::Key_Plus},
    {0x6C, 0xffac, Qt::Key_Comma}, // number-pad separator
    {0x6D, 0xffad, Qt::Key_Minus},
    {0x6E, 0xffae, Qt::Key_Period},
    {0x6F, 0xffaf, Qt::Key_Slash},
    {0x90, 0xff7f, Qt::Key_NumLock},
    {0x91, 0xff14, Qt::Key_ScrollLock},
    // The punctuation keys of a US layout.
    {0xBA, 0x003b, Qt::Key_Semicolon},
    {0xBB, 0x003d, Qt::Key_Equal},
    {0xBC, 0x002c, Qt::Key_Comma},
    {0xBD, 0x002d, Qt::Key_Minus},
    {0xBE, 0x002e, Qt::Key_Period},
    {0xBF, 0x002f, Qt::Key_Slash},
    {0xC0, 0x0060, Qt::Key_QuoteLeft},
    {0xDB, 0x005b, Qt::Key_BracketLeft},
    {0xDC, 0x005c, Qt::Key_Backslash},
    {0xDD, 0x005d, Qt::Key_BracketRight},
    {0xDE, 0x0027, Qt::Key_Apostrophe},
    {0xE2, 0x003c, Qt::Key_Less},
};

std::optional<KeyRow> RowOf(unsigned vk) {
    if (vk >= 0x30 && vk <= 0x39) // digits
        return KeyRow{vk, vk, static_cast<Qt::Key>(Qt::Key_0 + (vk - 0x30))};
    if (vk >= 0x41 && vk <= 0x5A) // letters: the keysym of the unshifted (lower-case) symbol
        return KeyRow{vk, vk + 0x20, static_cast<Qt::Key>(Qt::Key_A + (vk - 0x41))};
    if (vk >= 0x60 && vk <= 0x69) // number pad digits
        return KeyRow{vk, 0xffb0 + (vk - 0x60), static_cast<Qt::Key>(Qt::Key_0 + (vk - 0x60))};
    if (vk >= 0x70 && vk <= 0x87) // F1 .. F24
        return KeyRow{vk, 0xffbe + (vk - 0x70), static_cast<Qt::Key>(Qt::Key_F1 + (vk - 0x70))};
    for (const KeyRow& row : FixedKeys) {
        if (row.virtualKey == vk)
            return row;
    }
    return std::nullopt;
}

} // namespace

unsigned HotKeyRegistrationModifiers(std::uint16_t value) {
    const unsigned high = value >> 8;
    unsigned modifiers = 0;
    if (high & HotKeyShift)
        modifiers |= HotKeyModifier::Shift;
    if (high & HotKeyControl)
        modifiers |= HotKeyModifier::Control;
    if (high & HotKeyAlt)
        modifiers |= HotKeyModifier::Alt;
    return modifiers;
}

std::optional<std::uint32_t> KeySymFromVirtualKey(unsigned virtualKey) {
    if (const auto row = RowOf(virtualKey))
        return row->keySym;
    return std::nullopt;
}

std::uint16_t X11ModifierMask(unsigned registrationModifiers) {
    std::uint16_t mask = 0;
    if (registrationModifiers & HotKeyModifier::Shift)
        mask |= 1; // ShiftMask
    if (registrationModifiers & HotKeyModifier::Control)
        mask |= 4; // ControlMask
    if (registrationModifiers & HotKeyModifier::Alt)
        mask |= 8; // Mod1Mask
    return mask;
}

std::optional<Qt::Key> QtKeyFromVirtualKey(unsigned virtualKey) {
    if (const auto row = RowOf(virtualKey))
        return row->qtKey;
    return std::nullopt;
}

std::optional<unsigned> VirtualKeyFromQtKey(Qt::Key key) {
    // The main keyboard wins over the number pad for the keys they share.
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 0x30u + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 0x41u + (key - Qt::Key_A);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70u + (key - Qt::Key_F1);
    if (key == Qt::Key_Enter)
        return 0x0Du;
    static constexpr unsigned mainKeyboardFirst[] = {0xBC, 0xBD, 0xBE, 0xBF};
    for (unsigned vk : mainKeyboardFirst) {
        if (RowOf(vk)->qtKey == key)
            return vk;
    }
    for (const KeyRow& row : FixedKeys) {
        if (row.qtKey == key)
            return row.virtualKey;
    }
    return std::nullopt;
}

QKeySequence HotKeyToKeySequence(std::uint16_t value) {
    const auto key = QtKeyFromVirtualKey(HotKeyVirtualKey(value));
    if (value == 0 || !key)
        return {};
    const unsigned modifiers = HotKeyRegistrationModifiers(value);
    Qt::KeyboardModifiers qtModifiers;
    if (modifiers & HotKeyModifier::Shift)
        qtModifiers |= Qt::ShiftModifier;
    if (modifiers & HotKeyModifier::Control)
        qtModifiers |= Qt::ControlModifier;
    if (modifiers & HotKeyModifier::Alt)
        qtModifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(qtModifiers, *key));
}

std::uint16_t HotKeyFromKeySequence(const QKeySequence& sequence) {
    if (sequence.isEmpty())
        return 0;
    const QKeyCombination combination = sequence[0];
    const auto vk = VirtualKeyFromQtKey(combination.key());
    if (!vk)
        return 0;
    unsigned high = 0;
    if (combination.keyboardModifiers() & Qt::ShiftModifier)
        high |= HotKeyShift;
    if (combination.keyboardModifiers() & Qt::ControlModifier)
        high |= HotKeyControl;
    if (combination.keyboardModifiers() & Qt::AltModifier)
        high |= HotKeyAlt;
    return static_cast<std::uint16_t>((high << 8) | *vk);
}
