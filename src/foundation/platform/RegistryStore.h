#pragma once

// The settings store that takes the registry's place: one readable JSON file per root, a tree of
// keys whose values keep their registry type.
//
//   {
//     "horalux settings store": 1,
//     "keys": {
//       "Software\\Varnelo\\Horalux": [ { "name": "StoragePath", "type": "REG_SZ", "data": "/home/..." } ]
//     }
//   }
//
// The values of a key stay in the order they were first written (external add-ins are loaded in
// that order). Stores written by earlier versions hold each key's values as an object of
// { "type", "data" } by name; they are read as well, and written back in the list form.
//
// Types: "REG_SZ" and "REG_EXPAND_SZ" (text), "REG_DWORD" (integer, kept as the 32-bit value
// written), "REG_BINARY" (hexadecimal digits). Values of other types are kept as they are and
// report the unknown type. Key paths and value names compare without regard to case and keep the
// spelling they were created with.
//
// A file that cannot be read as such a store is damaged: it is reported in the log, reads as
// empty, and before anything is written over it, it is kept beside the store under a new name.

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <vector>

/// The value types the registry layer reports.
enum class TRegDataType { rdUnknown = 0, rdString = 1, rdExpandString = 2, rdInteger = 3, rdBinary = 4 };

struct TRegistryStoreValue {
    QString Name;
    /// The registry type name as stored ("REG_SZ", ...).
    QString TypeName;
    QJsonValue Data;

    TRegDataType DataType() const;
    static TRegistryStoreValue String(const QString& name, const QString& text, bool expand = false);
    static TRegistryStoreValue Integer(const QString& name, qint32 value);
    static TRegistryStoreValue Binary(const QString& name, const QByteArray& data);
    QString Text() const { return Data.toString(); }
    qint32 IntegerValue() const;
    QByteArray BinaryValue() const;
};

class TvrnRegistryStore {
public:
    explicit TvrnRegistryStore(QString filePath);

    const QString& FilePath() const { return m_filePath; }
    /// Reads the file again. A missing file is an empty store; a damaged one reads as empty and sets
    /// Damaged() (the log hears about it once per damaged file state).
    void Load();
    bool Damaged() const { return m_damaged; }
    /// Whether the file exists but cannot be read (permissions): nothing can be opened then.
    bool Unreadable() const { return m_unreadable; }

    /// A key exists when it was created or holds a sub-key.
    bool KeyExists(const QString& keyPath) const;
    void CreateKey(const QString& keyPath);
    QStringList ValueNames(const QString& keyPath) const;
    std::optional<TRegistryStoreValue> FindValue(const QString& keyPath, const QString& name) const;
    void SetValue(const QString& keyPath, const TRegistryStoreValue& value);
    /// Whether there was such a value.
    bool DeleteValue(const QString& keyPath, const QString& name);
    /// Removes the key when it holds no value and no sub-key; whether it was removed.
    bool DeleteKeyIfEmpty(const QString& keyPath);

    /// Writes the store atomically (temporary file, flush to disk, rename, folder flushed). A
    /// damaged file is first kept under a new name. On failure returns false and the reason.
    bool Save(QString& error);

    /// Fault injection for tests: called before each save; returning false fails the save with the
    /// error it sets. nullptr removes it.
    using TSaveFault = std::function<bool(const QString& filePath, QString& error)>;
    static void SetSaveFault(TSaveFault fault);

    /// "\\a\\\\b\\" -> "a\\b": separators trimmed, empty names dropped.
    static QString NormalizeKeyPath(const QString& keyPath);
    /// $XDG_CONFIG_HOME/horalux/registry.json
    static QString UserStorePath();
    /// <first of $XDG_CONFIG_DIRS, else /etc/xdg>/horalux/registry.json
    static QString MachineStorePath();

private:
    struct Key {
        QString path;
        std::vector<TRegistryStoreValue> values; // in the order they were first written
        std::vector<TRegistryStoreValue>::iterator Find(const QString& name);
        std::vector<TRegistryStoreValue>::const_iterator Find(const QString& name) const;
        void Set(const TRegistryStoreValue& value);
    };
    static QString Fold(const QString& text) { return text.toCaseFolded(); }
    bool Parse(const QByteArray& bytes, QString& problem);
    QByteArray Serialize() const;

    QString m_filePath;
    std::map<QString, Key> m_keys; // by folded path
    bool m_damaged = false;
    bool m_unreadable = false;
};
