#include "ui/HotKeyEdit.h"

#include "foundation/Translation.h"
#include "ui/MessageBox.h"
#include "ui/platform/HotKeyKeys.h"

#include <QKeyEvent>

namespace {

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

} // namespace

THotKeyEdit::THotKeyEdit(QWidget* parent) : QLineEdit(parent) {
    // The text is written by the field itself; no cursor games, no context menu of an editor.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setReadOnly(true);
    setAcceptDrops(false);
    ShowHotKey();
}

bool THotKeyEdit::event(QEvent* event) {
    // Combinations with Ctrl or Alt are keys to record here, not the window's accelerators.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void THotKeyEdit::SetHotKey(std::uint16_t hotKey) {
    m_hotKey = hotKey;
    ShowHotKey();
}

void THotKeyEdit::ShowHotKey() {
    const QKeySequence sequence = HotKeyToKeySequence(m_hotKey);
    setText(sequence.isEmpty() ? Tr("None") : sequence.toString(QKeySequence::NativeText));
}

void THotKeyEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (modifiers == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab)) {
        event->ignore(); // the dialog's default and cancel buttons, the focus chain
        return;
    }
    event->accept();
    if (IsModifierKey(key) || key == Qt::Key_unknown)
        return;
    std::uint16_t hotKey = 0;
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        hotKey = 0;
    } else {
        hotKey = HotKeyFromKeySequence(QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key))));
        if (hotKey == 0)
            return; // a key this desktop cannot grab
    }
    if (hotKey == m_hotKey)
        return;
    m_hotKey = hotKey;
    ShowHotKey();
    emit HotKeyChanged(m_hotKey);
}

void THotKeyEdit::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

bool AcceptHotKeyBesides(QWidget* owner, const QString& caption, std::uint16_t hotKey, std::uint16_t other) {
    if (hotKey == 0 || hotKey != other)
        return true;
    ShowMessageBox(owner, caption,
                   Tr("You have entered the same hotkey for the menu and the tracking window. Please change this "
                      "hotkey."),
                   QString(), MessageBoxKind::Error2, MessageBoxButton::OK);
    return false;
}
