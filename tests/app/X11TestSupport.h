#pragma once

// Helpers of the tests on a real X server: synthetic input through xdotool and a second X client.

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

/// The stored hot-key value of shift+control+T.
inline constexpr std::uint16_t ShiftControlT = 0x0354;

/// Presses a key combination in xdotool's notation ("ctrl+shift+t").
inline bool PressKeys(const QString& keys) {
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
}

/// Clicks a mouse button (1 left, 3 right) at a global position.
inline bool ClickAt(const QPoint& position, int button) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QString::number(position.x()), QString::number(position.y()),
                              QStringLiteral("click"), QString::number(button)}) == 0;
}

/// The centre on the screen of a window once another client (a tray host) has taken it in as a
/// child of its own window; nullopt while it is still a child of the root window.
inline std::optional<QPoint> EmbeddedWindowCentre(std::uint32_t window) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    std::optional<QPoint> centre;
    if (!xcb_connection_has_error(connection)) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
        if (tree && geometry && tree->parent != tree->root) {
            xcb_translate_coordinates_reply_t* position = xcb_translate_coordinates_reply(
                connection, xcb_translate_coordinates(connection, window, tree->root, 0, 0), nullptr);
            if (position)
                centre = QPoint(position->dst_x + geometry->width / 2, position->dst_y + geometry->height / 2);
            std::free(position);
        }
        std::free(tree);
        std::free(geometry);
    }
    xcb_disconnect(connection);
    return centre;
}

/// Another X client that grabs shift+control+T on the root window first; it lets go when it goes
/// out of scope, and the server has released the key by the time the destructor returns.
class OtherClientGrab {
public:
    OtherClientGrab() : m_connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 't');
        if (codes && *codes != XCB_NO_SYMBOL) {
            m_code = codes[0];
            xcb_void_cookie_t cookie = xcb_grab_key_checked(m_connection, 1, m_root, Modifiers, m_code,
                                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            xcb_generic_error_t* error = xcb_request_check(m_connection, cookie);
            m_grabbed = error == nullptr;
            std::free(error);
        }
        std::free(codes);
        xcb_key_symbols_free(symbols);
    }
    ~OtherClientGrab() {
        if (m_grabbed) {
            xcb_ungrab_key(m_connection, m_code, m_root, Modifiers);
            // A round trip: the ungrab has been carried out when the reply arrives.
            std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        }
        xcb_disconnect(m_connection);
    }
    OtherClientGrab(const OtherClientGrab&) = delete;
    OtherClientGrab& operator=(const OtherClientGrab&) = delete;
    bool Grabbed() const { return m_grabbed; }

private:
    static constexpr std::uint16_t Modifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL;
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    xcb_keycode_t m_code = 0;
    bool m_grabbed = false;
};
