#include "model/HotKeyProperty.h"

namespace {
const QString Platform = QStringLiteral("platform");
const QString KeyCode = QStringLiteral("keycode");
const QString Alt = QStringLiteral("alt");
const QString Shift = QStringLiteral("shift");
const QString Ctrl = QStringLiteral("ctrl");
const QString Extended = QStringLiteral("extended");
const QString Win32 = QStringLiteral("win32");
} // namespace

void HotKeyToProperty(const std::shared_ptr<IHXProperty_>& property, std::uint16_t value) {
    const auto list = property->AsPropertyList();
    list->Clear();
    const int modifiers = value >> 8;
    list->Items(Platform)->SetAsString(Win32);
    list->Items(KeyCode)->SetAsInteger(value & 0xFF);
    list->Items(Alt)->SetAsBoolean(modifiers & HotKeyAlt);
    list->Items(Shift)->SetAsBoolean(modifiers & HotKeyShift);
    list->Items(Ctrl)->SetAsBoolean(modifiers & HotKeyControl);
    list->Items(Extended)->SetAsBoolean(modifiers & HotKeyExtended);
}

std::uint16_t HotKeyFromProperty(const std::shared_ptr<IHXProperty_>& property, std::uint16_t defaultValue) {
    if (!property || property->DataType() != hxpdtPropertyList)
        return defaultValue;
    const auto list = property->AsPropertyList();
    const auto platform = list->Find(Platform);
    const auto keyCode = list->Find(KeyCode);
    const auto alt = list->Find(Alt);
    const auto shift = list->Find(Shift);
    const auto ctrl = list->Find(Ctrl);
    const auto extended = list->Find(Extended);
    if (!platform || !keyCode || !alt || !shift || !ctrl || !extended)
        return defaultValue;
    try {
        if (platform->AsString() != Win32)
            return defaultValue;
        const int code = keyCode->AsInteger();
        if (code < 0 || code > 255)
            return defaultValue;
        int modifiers = 0;
        if (alt->AsBoolean())
            modifiers |= HotKeyAlt;
        if (shift->AsBoolean())
            modifiers |= HotKeyShift;
        if (ctrl->AsBoolean())
            modifiers |= HotKeyControl;
        if (extended->AsBoolean())
            modifiers |= HotKeyExtended;
        return static_cast<std::uint16_t>((modifiers << 8) | code);
    } catch (const std::exception&) {
        return defaultValue;
    }
}
