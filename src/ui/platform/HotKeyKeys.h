#pragma once

// Hot keys are stored in the 16-bit form of the options (low byte the virtual-key code, high
// byte shift 0x01, control 0x02, alt 0x04, extended 0x08). This is the one table that maps those
// virtual-key codes to the keys of this desktop: X keysyms for the global grabs and toolkit keys
// for the key editors.

#include <QKeySequence>
#include <cstdint>
#include <optional>

/// Modifier bits of a registered hot key as the registration takes them: alt 1, control 2,
/// shift 4 (the extended bit is dropped).
namespace HotKeyModifier {
constexpr unsigned Alt = 1;
constexpr unsigned Control = 2;
constexpr unsigned Shift = 4;
} // namespace HotKeyModifier

/// The registration modifiers of a stored hot-key value (high byte shift 0x01 -> 4, control
/// 0x02 -> 2, alt 0x04 -> 1).
unsigned HotKeyRegistrationModifiers(std::uint16_t value);
/// The virtual-key code of a stored hot-key value (its low byte).
inline unsigned HotKeyVirtualKey(std::uint16_t value) {
    return value & 0xFFu;
}

/// The X keysym of a virtual-key code, or nullopt for a code this desktop has no key for.
std::optional<std::uint32_t> KeySymFromVirtualKey(unsigned virtualKey);
/// The X modifier mask (ShiftMask 1, ControlMask 4, Mod1Mask 8) of registration modifiers.
std::uint16_t X11ModifierMask(unsigned registrationModifiers);

/// The toolkit key of a virtual-key code, or nullopt.
std::optional<Qt::Key> QtKeyFromVirtualKey(unsigned virtualKey);
/// The virtual-key code of a toolkit key, or nullopt (letters in either case give their key).
std::optional<unsigned> VirtualKeyFromQtKey(Qt::Key key);

/// A stored hot-key value as a key sequence (empty for 0 or an unknown key), and back (0 when the
/// sequence is empty or its key has no virtual-key code; the extended bit is never set).
QKeySequence HotKeyToKeySequence(std::uint16_t value);
std::uint16_t HotKeyFromKeySequence(const QKeySequence& sequence);
