#pragma once

// Global hot keys through passive key grabs on the X server's root windows. They work only on
// the xcb platform with a live connection; everywhere else (offscreen, Wayland) registering
// fails quietly. A key that another client has grabbed already fails quietly too.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <map>
#include <vector>

struct xcb_connection_t;
struct _XCBKeySymbols; // xcb_key_symbols_t of xcb_keysyms.h

class TGlobalHotKeys : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit TGlobalHotKeys(QObject* parent = nullptr);
    ~TGlobalHotKeys() override;

    /// Whether the program runs on an X server through xcb.
    static bool IsAvailable();

    /// Grabs the stored hot-key value (low byte virtual-key code, high byte modifier bits) under
    /// id, replacing an earlier grab of that id. False, without a message, when the value is 0,
    /// the key does not exist on this keyboard, there is no X server, or another client holds the
    /// key.
    bool Register(int id, std::uint16_t value);
    void Unregister(int id);
    void UnregisterAll();
    bool IsRegistered(int id) const { return m_grabs.count(id) != 0; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    /// The hot key registered under id was pressed.
    void Activated(int id);

private:
    struct Grab {
        std::uint16_t value = 0; ///< the stored hot-key value, to grab again after a layout change
        std::vector<std::uint8_t> keyCodes;
        std::uint16_t modifiers = 0;
    };
    void Ungrab(const Grab& grab);
    /// After a change of the keyboard layout the keys of the hot keys may lie on other key codes:
    /// reads the keyboard mapping again and grabs every hot key anew.
    void GrabAgainAfterMappingChange();
    std::vector<std::uint32_t> RootWindows() const;

    xcb_connection_t* m_connection = nullptr;
    _XCBKeySymbols* m_keySymbols = nullptr;
    /// The first event number of the keyboard extension (0 without it): its layout-change events
    /// replace the core MappingNotify for a client like ours that uses the extension.
    std::uint8_t m_xkbFirstEvent = 0;
    std::map<int, Grab> m_grabs;
};
