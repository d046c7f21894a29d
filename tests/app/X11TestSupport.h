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
