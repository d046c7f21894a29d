#pragma once

// The hot-key field of the options pages: it takes one key with its modifiers as the user presses
// it and holds it in the stored 16-bit form of the options. Backspace and Delete clear it; Tab,
// Enter and Escape keep their usual meaning in the dialog.

#include <QLineEdit>
#include <cstdint>

class THotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit THotKeyEdit(QWidget* parent = nullptr);

    /// The stored form (0: none).
    std::uint16_t HotKey() const { return m_hotKey; }
    /// Shows the key without telling anybody.
    void SetHotKey(std::uint16_t hotKey);

signals:
    /// The user entered or cleared a key.
    void HotKeyChanged(std::uint16_t hotKey);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ShowHotKey();

    std::uint16_t m_hotKey = 0;
};

/// The program's two hot keys (tray menu and tracking window) must differ: when hotKey is set and
/// equals the other one, the message box says so under caption and the answer is false.
bool AcceptHotKeyBesides(QWidget* owner, const QString& caption, std::uint16_t hotKey, std::uint16_t other);
