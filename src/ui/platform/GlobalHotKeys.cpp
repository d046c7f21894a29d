#include "ui/platform/GlobalHotKeys.h"

#include "foundation/Log.h"
#include "ui/platform/HotKeyKeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace {

// The lock modifiers (Caps Lock, Num Lock on Mod2) must not keep a hot key from firing, so every
// grab is made once for each of their combinations and they are ignored when a key arrives.
constexpr std::uint16_t LockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t RelevantMasks = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// Event kinds of the keyboard extension (its xkbType byte) that announce a new layout.
constexpr std::uint8_t XkbNewKeyboardNotify = 0;
constexpr std::uint8_t XkbMapNotify = 1;

std::uint8_t XkbFirstEvent(xcb_connection_t* connection) {
    static const char name[] = "XKEYBOARD";
    xcb_query_extension_reply_t* reply =
        xcb_query_extension_reply(connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr);
    const std::uint8_t first = reply && reply->present ? reply->first_event : 0;
    std::free(reply);
    return first;
}

xcb_connection_t* X11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

TGlobalHotKeys::TGlobalHotKeys(QObject* parent) : QObject(parent), m_connection(X11Connection()) {
    if (m_connection) {
        m_keySymbols = xcb_key_symbols_alloc(m_connection);
        m_xkbFirstEvent = XkbFirstEvent(m_connection);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

TGlobalHotKeys::~TGlobalHotKeys() {
    if (m_connection) {
        UnregisterAll();
        if (auto* app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
    }
    if (m_keySymbols)
        xcb_key_symbols_free(m_keySymbols);
}

bool TGlobalHotKeys::IsAvailable() {
    return X11Connection() != nullptr;
}

std::vector<std::uint32_t> TGlobalHotKeys::RootWindows() const {
    std::vector<std::uint32_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem; xcb_screen_next(&it))
        roots.push_back(it.data->root);
    return roots;
}

bool TGlobalHotKeys::Register(int id, std::uint16_t value) {
    Unregister(id);
    if (!m_connection || !m_keySymbols || value == 0)
        return false;
    const auto keySym = KeySymFromVirtualKey(HotKeyVirtualKey(value));
    if (!keySym)
        return false;

    Grab grab;
    grab.modifiers = X11ModifierMask(HotKeyRegistrationModifiers(value));
    if (xcb_keycode_t* codes = xcb_key_symbols_get_keycode(m_keySymbols, *keySym)) {
        for (xcb_keycode_t* code = codes; *code != XCB_NO_SYMBOL; ++code)
            grab.keyCodes.push_back(*code);
        std::free(codes);
    }
    if (grab.keyCodes.empty())
        return false;

    // Checked requests, so that a key held by another client (BadAccess) is noticed here.
    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint32_t root : RootWindows()) {
        for (std::uint8_t code : grab.keyCodes) {
            for (std::uint16_t lock : LockMasks)
                cookies.push_back(xcb_grab_key_checked(m_connection, 1, root, grab.modifiers | lock, code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    bool failed = false;
    for (const xcb_void_cookie_t& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            failed = true;
            std::free(error);
        }
    }
    if (failed) {
        Ungrab(grab);
        WriteLog(QStringLiteral("TGlobalHotKeys.Register: the hot key %1 is held by another program")
                     .arg(value, 4, 16, QLatin1Char('0')));
        return false;
    }
    grab.value = value;
    m_grabs[id] = std::move(grab);
    return true;
}

void TGlobalHotKeys::GrabAgainAfterMappingChange() {
    if (m_keySymbols)
        xcb_key_symbols_free(m_keySymbols);
    m_keySymbols = xcb_key_symbols_alloc(m_connection);
    std::vector<std::pair<int, std::uint16_t>> wanted;
    for (const auto& [id, grab] : m_grabs)
        wanted.emplace_back(id, grab.value);
    for (const auto& [id, value] : wanted)
        if (!Register(id, value))
            WriteLog(QStringLiteral("TGlobalHotKeys: the hot key %1 is not available with the new keyboard layout")
                         .arg(value, 4, 16, QLatin1Char('0')));
}

void TGlobalHotKeys::Ungrab(const Grab& grab) {
    for (std::uint32_t root : RootWindows()) {
        for (std::uint8_t code : grab.keyCodes) {
            for (std::uint16_t lock : LockMasks)
                xcb_ungrab_key(m_connection, code, root, grab.modifiers | lock);
        }
    }
    xcb_flush(m_connection);
}

void TGlobalHotKeys::Unregister(int id) {
    const auto it = m_grabs.find(id);
    if (it == m_grabs.end())
        return;
    if (m_connection)
        Ungrab(it->second);
    m_grabs.erase(it);
}

void TGlobalHotKeys::UnregisterAll() {
    while (!m_grabs.empty())
        Unregister(m_grabs.begin()->first);
}

bool TGlobalHotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    // The keyboard layout changed (us to de swaps Y and Z): the keys may now lie on other key
    // codes. The event goes on to the toolkit, which follows the layout as well.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(event);
    const bool xkbLayoutChange = m_xkbFirstEvent != 0 && type == m_xkbFirstEvent &&
                                 (bytes[1] == XkbNewKeyboardNotify || bytes[1] == XkbMapNotify);
    const bool coreMappingChange =
        type == XCB_MAPPING_NOTIFY &&
        reinterpret_cast<const xcb_mapping_notify_event_t*>(event)->request != XCB_MAPPING_POINTER;
    if (xkbLayoutChange || coreMappingChange) {
        GrabAgainAfterMappingChange();
        return false;
    }
    if (m_grabs.empty())
        return false;
    if (type != XCB_KEY_PRESS)
        return false;
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
    const std::uint16_t modifiers = press->state & RelevantMasks;
    for (const auto& [id, grab] : m_grabs) {
        if (grab.modifiers != modifiers)
            continue;
        for (std::uint8_t code : grab.keyCodes) {
            if (code == press->detail) {
                // Queued: the handler may open a menu or a window, which must not happen inside
                // the toolkit's event dispatch.
                const int hotKey = id;
                QMetaObject::invokeMethod(
                    this, [this, hotKey] { emit Activated(hotKey); }, Qt::QueuedConnection);
                return true;
            }
        }
    }
    return false;
}
