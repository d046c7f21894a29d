#include "ui/ShortcutText.h"

#include <QHash>

namespace {

/// The toolkit's display name of a modifier with its plus sign ("Ctrl+"): the name of the
/// modifier with the key A, without the A.
QString ModifierName(Qt::KeyboardModifier modifier) {
    QString name = QKeySequence(QKeyCombination(modifier, Qt::Key_A)).toString(QKeySequence::NativeText);
    name.chop(1);
    return name;
}

void AddKeyNames(QHash<QString, Qt::Key>& names, int from, int to) {
    for (int key = from; key <= to; ++key) {
        for (auto format : {QKeySequence::NativeText, QKeySequence::PortableText}) {
            const QString name = QKeySequence(key).toString(format);
            // The first key of a name wins: the letters come before the codes 0x61..0x7A, which
            // the toolkit names like the letters.
            if (!name.isEmpty() && !names.contains(name.toCaseFolded()))
                names.insert(name.toCaseFolded(), static_cast<Qt::Key>(key));
        }
    }
}

/// The display names of the keys, case-folded.
const QHash<QString, Qt::Key>& KeyNames() {
    static const QHash<QString, Qt::Key> names = [] {
        QHash<QString, Qt::Key> result;
        AddKeyNames(result, Qt::Key_Space, Qt::Key_AsciiTilde);
        AddKeyNames(result, Qt::Key_Escape, Qt::Key_Direction_R); // includes F1 .. F35
        return result;
    }();
    return names;
}

} // namespace

QKeySequence ReadShortcut(const QString& shortcut) {
    struct Prefix {
        QString text;
        Qt::KeyboardModifier modifier;
    };
    const Prefix prefixes[] = {
        {ModifierName(Qt::ShiftModifier), Qt::ShiftModifier},
        {QStringLiteral("^"), Qt::ControlModifier},
        {ModifierName(Qt::ControlModifier), Qt::ControlModifier},
        {ModifierName(Qt::AltModifier), Qt::AltModifier},
    };
    QString rest = shortcut;
    Qt::KeyboardModifiers modifiers;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const Prefix& prefix : prefixes) {
            // A lone "+" (or "^") is a key of its own, not a modifier without key.
            if (rest.size() > prefix.text.size() && rest.startsWith(prefix.text, Qt::CaseInsensitive)) {
                rest = rest.mid(prefix.text.size());
                modifiers |= prefix.modifier;
                stripped = true;
                break;
            }
        }
    }
    const auto key = KeyNames().constFind(rest.toCaseFolded());
    if (rest.isEmpty() || key == KeyNames().constEnd())
        return {};
    return QKeySequence(QKeyCombination(modifiers, key.value()));
}

QKeySequence ShortcutFromText(const QString& text) {
    const qsizetype dots = text.indexOf(QStringLiteral(".."));
    const QString shortcut = dots < 0 ? text : text.left(dots);
    if (shortcut.isEmpty())
        return {};
    return ReadShortcut(shortcut);
}
