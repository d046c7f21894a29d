#pragma once

// A hot key stored as a property list. The value is the 16-bit form of the Windows hot-key
// control: low byte the virtual-key code, high byte the modifier bits (shift 0x01, control 0x02,
// alt 0x04, extended key 0x08). Mapping to the keys of this desktop happens where hot keys are
// registered.

#include "model/PropertyInterfaces.h"

#include <cstdint>

constexpr std::uint16_t HotKeyShift = 0x01;
constexpr std::uint16_t HotKeyControl = 0x02;
constexpr std::uint16_t HotKeyAlt = 0x04;
constexpr std::uint16_t HotKeyExtended = 0x08;

/// Turns the property into a property list holding "platform" = "win32", "keycode", "alt",
/// "shift", "ctrl" and "extended".
void HotKeyToProperty(const std::shared_ptr<IHXProperty_>& property, std::uint16_t value);
/// The value the property describes, or the default unless the property is a property list with
/// all six names, "platform" is exactly "win32", every field has its type and "keycode" lies in
/// 0..255.
std::uint16_t HotKeyFromProperty(const std::shared_ptr<IHXProperty_>& property, std::uint16_t defaultValue);
