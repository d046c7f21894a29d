#include "foundation/Registry.h"

#include "foundation/Log.h"
#include "foundation/VRNTools.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QString ClassesPrefix = QStringLiteral("Software\\Classes");

TRegistryAccessCheck& AccessCheck() {
    static TRegistryAccessCheck check;
    return check;
}

bool Granted(TvrnRootKey root, const QString& path, std::uint32_t access) {
    return !AccessCheck() || AccessCheck()(root, path, access);
}

QString Join(const QString& prefix, const QString& path) {
    if (prefix.isEmpty())
        return path;
    return path.isEmpty() ? prefix : prefix + u'\\' + path;
}

struct Layer {
    QString file;
    QString prefix;
};

// The store files a root reads from; a value in a later layer hides one in an earlier layer.
std::vector<Layer> ReadLayers(TvrnRootKey root) {
    switch (root) {
    case TvrnRootKey::CurrentUser:
        return {{TvrnRegistryStore::UserStorePath(), QString()}};
    case TvrnRootKey::LocalMachine:
        return {{TvrnRegistryStore::MachineStorePath(), QString()}};
    case TvrnRootKey::ClassesRoot:
        return {{TvrnRegistryStore::MachineStorePath(), ClassesPrefix},
                {TvrnRegistryStore::UserStorePath(), ClassesPrefix}};
    default:
        return {};
    }
}

// The store file a root writes to; an empty file name when the root has none.
Layer WriteLayer(TvrnRootKey root) {
    const std::vector<Layer> layers = ReadLayers(root);
    return layers.empty() ? Layer{} : layers.back();
}

struct LoadedLayer {
    std::unique_ptr<TvrnRegistryStore> store;
    QString prefix;
};

std::vector<LoadedLayer> LoadLayers(TvrnRootKey root) {
    std::vector<LoadedLayer> loaded;
    for (const Layer& layer : ReadLayers(root)) {
        if (layer.file.isEmpty())
            continue;
        auto store = std::make_unique<TvrnRegistryStore>(layer.file);
        store->Load();
        loaded.push_back({std::move(store), layer.prefix});
    }
    return loaded;
}

bool KeyExistsIn(const std::vector<LoadedLayer>& layers, const QString& path) {
    for (const LoadedLayer& layer : layers)
        if (!layer.store->Unreadable() && layer.store->KeyExists(Join(layer.prefix, path)))
            return true;
    return false;
}

std::optional<TRegistryStoreValue> FindValueIn(const std::vector<LoadedLayer>& layers, const QString& path,
                                               const QString& name) {
    for (auto it = layers.rbegin(); it != layers.rend(); ++it)
        if (auto value = it->store->FindValue(Join(it->prefix, path), name))
            return value;
    return std::nullopt;
}

// Opens a key for reading: the root has a store, the rights are granted, the key exists.
bool CanOpen(TvrnRootKey root, const QString& path, std::uint32_t access, std::vector<LoadedLayer>& layers) {
    if (ReadLayers(root).empty() || !Granted(root, path, access))
        return false;
    layers = LoadLayers(root);
    return KeyExistsIn(layers, path);
}

// One change of a store file: locked against other processes, read fresh, changed, saved.
class StoreChange {
public:
    explicit StoreChange(TvrnRootKey root) : m_layer(WriteLayer(root)) {}

    /// Takes the lock and reads the store; false with a reason when that fails.
    bool Begin(QString& error) {
        if (m_layer.file.isEmpty()) {
            error = QStringLiteral("there is no settings store for this root key");
            return false;
        }
        const QString folder = QFileInfo(m_layer.file).absolutePath();
        if (!ForcePrivateDirectories(folder)) {
            error = QStringLiteral("cannot create the folder \"%1\"").arg(folder);
            return false;
        }
        m_lock = std::make_unique<QLockFile>(m_layer.file + QStringLiteral(".lock"));
        if (!m_lock->tryLock(5000)) {
            error = m_lock->error() == QLockFile::LockFailedError
                        ? QStringLiteral("the settings store is locked by another process")
                        : QStringLiteral("cannot lock the settings store in \"%1\"").arg(folder);
            return false;
        }
        m_store = std::make_unique<TvrnRegistryStore>(m_layer.file);
        m_store->Load();
        if (m_store->Unreadable()) {
            error = QStringLiteral("cannot read \"%1\"").arg(m_layer.file);
            return false;
        }
        return true;
    }
    TvrnRegistryStore& Store() { return *m_store; }
    QString Path(const QString& subKey) const { return Join(m_layer.prefix, subKey); }
    bool Save(QString& error) { return m_store->Save(error); }

private:
    Layer m_layer;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<TvrnRegistryStore> m_store;
};

void WriteValue(const QString& fullPath, const TRegistryStoreValue& value) {
    const TRegistryPath path = ParseRegistryPath(fullPath);
    const auto fail = [&](const QString& text, const QString& reason) {
        throw EVRNException(text + QStringLiteral(" (") + reason + u')');
    };
    StoreChange change(path.Root);
    QString error;
    if (!Granted(path.Root, path.SubKey, KEY_SET_VALUE | KEY_CREATE_SUB_KEY))
        fail(QStringLiteral("Cannot create Key: ") + fullPath, QStringLiteral("access denied"));
    if (!change.Begin(error))
        fail(QStringLiteral("Cannot create Key: ") + fullPath, error);
    change.Store().CreateKey(change.Path(path.SubKey));
    change.Store().SetValue(change.Path(path.SubKey), value);
    if (!change.Save(error))
        fail(QStringLiteral("Cannot create Entry: ") + value.Name + QStringLiteral(" in Key: ") + fullPath, error);
}

QString InvalidType(const QString& name) {
    return QStringLiteral("Invalid data type for '%1'").arg(name);
}

} // namespace

void SetRegistryAccessCheck(TRegistryAccessCheck check) {
    AccessCheck() = std::move(check);
}

TRegistryPath ParseRegistryPath(const QString& fullPath) {
    const qsizetype backslash = fullPath.indexOf(u'\\');
    const QString rootName = (backslash < 0 ? fullPath : fullPath.left(backslash)).toUpper();
    TRegistryPath result;
    result.SubKey = backslash < 0 ? QString() : fullPath.mid(backslash + 1);
    if (rootName == QStringLiteral("HKCU") || rootName == QStringLiteral("HKEY_CURRENT_USER"))
        result.Root = TvrnRootKey::CurrentUser;
    else if (rootName == QStringLiteral("HKLM") || rootName == QStringLiteral("HKEY_LOCAL_MACHINE"))
        result.Root = TvrnRootKey::LocalMachine;
    else if (rootName == QStringLiteral("HKEY_CLASSES_ROOT"))
        result.Root = TvrnRootKey::ClassesRoot;
    else if (rootName == QStringLiteral("HKEY_USERS"))
        result.Root = TvrnRootKey::Users;
    else if (rootName == QStringLiteral("HKEY_CURRENT_CONFIG"))
        result.Root = TvrnRootKey::CurrentConfig;
    else if (rootName == QStringLiteral("HKEY_DYN_DATA"))
        result.Root = TvrnRootKey::DynData;
    else
        throw EVRNException(QStringLiteral("Unknown Root Registry Key: ") + rootName);
    return result;
}

int RegReadIntegerDef(const QString& fullPath, const QString& valueName, int defaultValue) {
    const TRegistryPath path = ParseRegistryPath(fullPath);
    std::vector<LoadedLayer> layers;
    if (!CanOpen(path.Root, path.SubKey, KEY_QUERY_VALUE, layers))
        return defaultValue;
    const auto value = FindValueIn(layers, path.SubKey, valueName);
    return value && value->DataType() == TRegDataType::rdInteger ? value->IntegerValue() : defaultValue;
}

QString RegReadStringDef(const QString& fullPath, const QString& valueName, const QString& defaultValue) {
    const TRegistryPath path = ParseRegistryPath(fullPath);
    std::vector<LoadedLayer> layers;
    if (!CanOpen(path.Root, path.SubKey, KEY_QUERY_VALUE, layers))
        return defaultValue;
    const auto value = FindValueIn(layers, path.SubKey, valueName);
    return value && value->DataType() == TRegDataType::rdString ? value->Text() : defaultValue;
}

void RegWriteInteger(const QString& fullPath, const QString& valueName, int value) {
    WriteValue(fullPath, TRegistryStoreValue::Integer(valueName, value));
}

void RegWriteString(const QString& fullPath, const QString& valueName, const QString& text) {
    WriteValue(fullPath, TRegistryStoreValue::String(valueName, text));
}

void RegDeleteValue(const QString& fullPath, const QString& valueName) {
    const TRegistryPath path = ParseRegistryPath(fullPath);
    if (!Granted(path.Root, path.SubKey, KEY_SET_VALUE) || !QFileInfo::exists(WriteLayer(path.Root).file))
        return;
    StoreChange change(path.Root);
    QString error;
    if (!change.Begin(error) || !change.Store().KeyExists(change.Path(path.SubKey)))
        return;
    if (change.Store().DeleteValue(change.Path(path.SubKey), valueName) && !change.Save(error))
        WriteLog(QStringLiteral("RegDeleteValue %1\\%2: %3").arg(fullPath, valueName, error));
}

void RegDeleteEmptyKeys(const QString& fullPath) {
    const TRegistryPath path = ParseRegistryPath(fullPath);
    if (!Granted(path.Root, path.SubKey, KEY_SET_VALUE) || !QFileInfo::exists(WriteLayer(path.Root).file))
        return;
    StoreChange change(path.Root);
    QString error;
    if (!change.Begin(error) || !change.Store().KeyExists(change.Path(path.SubKey)))
        return;
    bool changed = false;
    // A key that only exists through its sub-keys has no entry of its own: it goes with them.
    for (QString key = TvrnRegistryStore::NormalizeKeyPath(path.SubKey); !key.isEmpty();
         key = key.left(std::max<qsizetype>(key.lastIndexOf(u'\\'), 0))) {
        const QString stored = change.Path(key);
        if (change.Store().DeleteKeyIfEmpty(stored))
            changed = true;
        else if (change.Store().KeyExists(stored))
            break; // it still holds something
    }
    if (changed && !change.Save(error))
        WriteLog(QStringLiteral("RegDeleteEmptyKeys %1: %2").arg(fullPath, error));
}

TvrnRegistry::TvrnRegistry() = default;

TvrnRegistry::TvrnRegistry(std::uint32_t access) : m_access(access) {}

void TvrnRegistry::SetRootKey(TvrnRootKey root) {
    CloseKey();
    m_root = root;
}

QString TvrnRegistry::Resolve(const QString& key) const {
    if (key.startsWith(u'\\') || !m_open)
        return TvrnRegistryStore::NormalizeKeyPath(key);
    return TvrnRegistryStore::NormalizeKeyPath(m_currentPath + u'\\' + key);
}

bool TvrnRegistry::OpenKeyWith(const QString& key, bool canCreate, std::uint32_t access) {
    const QString path = Resolve(key);
    if (ReadLayers(m_root).empty() || !Granted(m_root, path, access))
        return false;
    if (!KeyExistsIn(LoadLayers(m_root), path)) {
        if (!canCreate)
            return false;
        StoreChange change(m_root);
        QString error;
        if (!change.Begin(error))
            return false;
        change.Store().CreateKey(change.Path(path));
        if (!change.Save(error)) {
            WriteLog(QStringLiteral("Registry key %1 not created: %2").arg(path, error));
            return false;
        }
    }
    m_currentPath = path;
    m_open = true;
    return true;
}

bool TvrnRegistry::OpenKey(const QString& key, bool canCreate) {
    return OpenKeyWith(key, canCreate, m_access);
}

bool TvrnRegistry::OpenKeyReadOnly(const QString& key) {
    for (std::uint32_t access : {KEY_READ, KEY_READ & ~KEY_NOTIFY, KEY_QUERY_VALUE}) {
        if (OpenKeyWith(key, false, access)) {
            m_access = access;
            return true;
        }
    }
    return false;
}

void TvrnRegistry::CloseKey() {
    m_open = false;
    m_currentPath.clear();
}

bool TvrnRegistry::KeyExists(const QString& key) const {
    return !ReadLayers(m_root).empty() && KeyExistsIn(LoadLayers(m_root), Resolve(key));
}

QStringList TvrnRegistry::GetValueNames() const {
    QStringList names;
    if (!m_open)
        return names;
    QSet<QString> seen;
    for (const LoadedLayer& layer : LoadLayers(m_root)) {
        for (const QString& name : layer.store->ValueNames(Join(layer.prefix, m_currentPath))) {
            if (!seen.contains(name.toCaseFolded())) {
                seen.insert(name.toCaseFolded());
                names += name;
            }
        }
    }
    return names;
}

TRegDataType TvrnRegistry::GetDataType(const QString& name) const {
    if (!m_open)
        return TRegDataType::rdUnknown;
    const auto value = FindValueIn(LoadLayers(m_root), m_currentPath, name);
    return value ? value->DataType() : TRegDataType::rdUnknown;
}

bool TvrnRegistry::ValueExists(const QString& name) const {
    return m_open && FindValueIn(LoadLayers(m_root), m_currentPath, name).has_value();
}

int TvrnRegistry::ReadInteger(const QString& name) const {
    if (!m_open)
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(name));
    const auto value = FindValueIn(LoadLayers(m_root), m_currentPath, name);
    if (!value || value->DataType() != TRegDataType::rdInteger)
        throw ERegistryException(InvalidType(name));
    return value->IntegerValue();
}

QString TvrnRegistry::ReadString(const QString& name) const {
    if (!m_open)
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(name));
    const auto value = FindValueIn(LoadLayers(m_root), m_currentPath, name);
    if (!value)
        return QString();
    const TRegDataType type = value->DataType();
    if (type != TRegDataType::rdString && type != TRegDataType::rdExpandString)
        throw ERegistryException(InvalidType(name));
    return value->Text();
}

QByteArray TvrnRegistry::ReadBinaryData(const QString& name) const {
    if (!m_open)
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(name));
    const auto value = FindValueIn(LoadLayers(m_root), m_currentPath, name);
    if (!value || value->DataType() != TRegDataType::rdBinary)
        throw ERegistryException(InvalidType(name));
    return value->BinaryValue();
}

void TvrnRegistry::Write(const TRegistryStoreValue& value) {
    const QString failed = QStringLiteral("Failed to set data for '%1'").arg(value.Name);
    if (!m_open || !(m_access & KEY_SET_VALUE))
        throw ERegistryException(failed);
    StoreChange change(m_root);
    QString error;
    bool saved = change.Begin(error);
    if (saved) {
        change.Store().CreateKey(change.Path(m_currentPath));
        change.Store().SetValue(change.Path(m_currentPath), value);
        saved = change.Save(error);
    }
    if (!saved) {
        WriteLog(failed + QStringLiteral(": ") + error);
        throw ERegistryException(failed);
    }
}

void TvrnRegistry::WriteString(const QString& name, const QString& text) {
    Write(TRegistryStoreValue::String(name, text));
}

void TvrnRegistry::WriteExpandString(const QString& name, const QString& text) {
    Write(TRegistryStoreValue::String(name, text, true));
}

void TvrnRegistry::WriteInteger(const QString& name, int value) {
    Write(TRegistryStoreValue::Integer(name, value));
}

void TvrnRegistry::WriteBinaryData(const QString& name, const QByteArray& data) {
    Write(TRegistryStoreValue::Binary(name, data));
}

bool TvrnRegistry::DeleteValue(const QString& name) {
    if (!m_open || !(m_access & KEY_SET_VALUE))
        return false;
    StoreChange change(m_root);
    QString error;
    if (!change.Begin(error) || !change.Store().DeleteValue(change.Path(m_currentPath), name))
        return false;
    if (!change.Save(error)) {
        WriteLog(QStringLiteral("Registry value %1 not deleted: %2").arg(name, error));
        return false;
    }
    return true;
}
