#pragma once

// Registry access over the settings store files (see platform/RegistryStore.h).
//
// The current user's keys live in the user's store file, the local machine's in the machine's
// store file. The classes root is, as on the registry's home platform, "Software\Classes" of the
// machine store with that of the user store over it; writes to it go to the user store. The other
// roots (users, current configuration, dynamic data) have no store: nothing opens there.
//
// Every call reads the store file again and every write saves it at once (under a lock against
// other processes), so that no key stays open and another process sees the change straight away.

#include "foundation/VRNException.h"
#include "foundation/platform/RegistryStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

/// The registry layer's own errors: invalid data types and failed reads and writes.
VRN_DECLARE_EXCEPTION(ERegistryException, EVRNException);

enum class TvrnRootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// Access rights, as the registry defines them.
constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr std::uint32_t KEY_NOTIFY = 0x0010;
constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
constexpr std::uint32_t STANDARD_RIGHTS_READ = 0x00020000;
constexpr std::uint32_t KEY_READ = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
constexpr std::uint32_t KEY_WRITE = STANDARD_RIGHTS_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
constexpr std::uint32_t KEY_ALL_ACCESS = 0x000F003F;

/// Decides whether a key may be opened with the given rights. The store files grant everything
/// the file system allows; tests (and a future port) install their own check. nullptr restores the
/// default.
using TRegistryAccessCheck = std::function<bool(TvrnRootKey root, const QString& keyPath, std::uint32_t access)>;
void SetRegistryAccessCheck(TRegistryAccessCheck check);

struct TRegistryPath {
    TvrnRootKey Root = TvrnRootKey::CurrentUser;
    QString SubKey;
};

/// "<root name>\<sub-key>"; the root names ("HKCU", "HKEY_CURRENT_USER", "HKLM",
/// "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT", "HKEY_USERS", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA")
/// compare in upper case; a path without a backslash is a root alone. Raises EVRNException
/// "Unknown Root Registry Key: <upper-cased name>".
TRegistryPath ParseRegistryPath(const QString& fullPath);

/// The value if the key opens and the value has the integer type; the default otherwise.
int RegReadIntegerDef(const QString& fullPath, const QString& valueName, int defaultValue);
/// The value if the key opens and the value has the string type (not expandable); the default
/// otherwise.
QString RegReadStringDef(const QString& fullPath, const QString& valueName, const QString& defaultValue);
/// Create the key (and the missing keys on the way) and write the value. Raise EVRNException
/// "Cannot create Key: <path> (<reason>)" or "Cannot create Entry: <name> in Key: <path> (<reason>)".
void RegWriteInteger(const QString& fullPath, const QString& valueName, int value);
void RegWriteString(const QString& fullPath, const QString& valueName, const QString& text);
/// Deletes the value; a missing key or value is not an error and nothing is reported.
void RegDeleteValue(const QString& fullPath, const QString& valueName);
/// Deletes the key if it holds no value and no sub-key, then each key above it left so, up to the
/// first that still holds something (the root key itself stays). A missing key is not an error;
/// a store that cannot be saved is reported in the log.
void RegDeleteEmptyKeys(const QString& fullPath);

/// A registry object: a root key, the open key and its path, the access rights.
class TvrnRegistry {
public:
    TvrnRegistry();
    explicit TvrnRegistry(std::uint32_t access);

    TvrnRootKey RootKey() const { return m_root; }
    /// Changing the root closes the open key.
    void SetRootKey(TvrnRootKey root);
    std::uint32_t Access() const { return m_access; }
    void SetAccess(std::uint32_t access) { m_access = access; }
    bool HasCurrentKey() const { return m_open; }
    /// The open key's path (without a leading backslash).
    const QString& CurrentPath() const { return m_currentPath; }

    /// A path beginning with "\" is taken from the root; any other is relative to the open key.
    /// With canCreate missing keys are created. Uses the object's access rights.
    bool OpenKey(const QString& key, bool canCreate);
    /// Tries the full read rights, then read rights without change notification, then the right
    /// to query values; the rights that worked become the object's.
    bool OpenKeyReadOnly(const QString& key);
    void CloseKey();
    bool KeyExists(const QString& key) const;

    /// The value names of the open key (an unopened key has none).
    QStringList GetValueNames() const;
    /// Unknown if the value does not exist.
    TRegDataType GetDataType(const QString& name) const;
    bool ValueExists(const QString& name) const;
    /// Raises ERegistryException "Invalid data type for '<name>'" unless the value exists with the
    /// integer type.
    int ReadInteger(const QString& name) const;
    /// Missing: empty. Types other than string and expandable string raise "Invalid data type for
    /// '<name>'"; a read that fails raises "Failed to get data for '<name>'".
    QString ReadString(const QString& name) const;
    QByteArray ReadBinaryData(const QString& name) const;
    /// Writes raise ERegistryException "Failed to set data for '<name>'" on failure.
    void WriteString(const QString& name, const QString& text);
    void WriteExpandString(const QString& name, const QString& text);
    void WriteInteger(const QString& name, int value);
    void WriteBinaryData(const QString& name, const QByteArray& data);
    /// Whether the value existed and is gone.
    bool DeleteValue(const QString& name);

private:
    bool OpenKeyWith(const QString& key, bool canCreate, std::uint32_t access);
    QString Resolve(const QString& key) const;
    void Write(const TRegistryStoreValue& value);

    TvrnRootKey m_root = TvrnRootKey::CurrentUser;
    std::uint32_t m_access = KEY_ALL_ACCESS;
    QString m_currentPath;
    bool m_open = false;
};
