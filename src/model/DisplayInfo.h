#pragma once

#include "foundation/CheckedObject.h"

#include <QString>
#include <memory>

/// The font the program's windows use: a name and a size in points. Defaults: the system's dialog
/// font and 8. Kept in the registry under a key of the caller's choice, where only values that
/// differ from the defaults are stored.
class TDisplayInfo : public TInterfacedAndCheckedObject {
public:
    static constexpr int DefaultFontSize = 8;

    TDisplayInfo();

    const QString& FontName() const { return m_fontName; }
    void SetFontName(const QString& name) { m_fontName = name; }
    int FontSize() const { return m_fontSize; }
    void SetFontSize(int size) { m_fontSize = size; }

    /// Reads "font name" (a string) and "font size" (a number) from the key given by its full path
    /// ("HKCU\..."); a missing value, or one of another type, keeps the current setting.
    void LoadFromRegistry(const QString& keyPath);
    /// Writes both values; a default name or the size 8 deletes its value instead. Raises the
    /// registry's error when the key or a value cannot be written.
    void SaveToRegistry(const QString& keyPath) const;

    void Assign(const TDisplayInfo& other);

private:
    QString m_fontName;
    int m_fontSize = DefaultFontSize;
};
