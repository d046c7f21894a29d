#include "foundation/platform/RegistryStore.h"

#include "foundation/Log.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString MarkerName = QStringLiteral("horalux settings store");
const QString KeysName = QStringLiteral("keys");
const QString NameName = QStringLiteral("name");
const QString TypeName = QStringLiteral("type");
const QString DataName = QStringLiteral("data");
const QString TypeSz = QStringLiteral("REG_SZ");
const QString TypeExpandSz = QStringLiteral("REG_EXPAND_SZ");
const QString TypeDword = QStringLiteral("REG_DWORD");
const QString TypeBinary = QStringLiteral("REG_BINARY");
constexpr int FormatVersion = 1;

bool IsHexText(const QString& text) {
    if (text.size() % 2 != 0)
        return false;
    for (QChar c : text)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}

bool IsValidData(const QString& type, const QJsonValue& data) {
    if (type == TypeSz || type == TypeExpandSz)
        return data.isString();
    if (type == TypeDword) {
        // The 32-bit value, written either signed or unsigned.
        const double number = data.toDouble(std::nan(""));
        return data.isDouble() && std::floor(number) == number && number >= -2147483648.0 && number <= 4294967295.0;
    }
    if (type == TypeBinary)
        return data.isString() && IsHexText(data.toString());
    return !type.isEmpty(); // other types are kept as they are
}

// The log hears about a damaged file once for each state of it (path, size, modification time).
void LogDamageOnce(const QString& path, const QString& problem) {
    static QSet<QString> reported;
    const QFileInfo info(path);
    const QString state =
        path + u'|' + QString::number(info.size()) + u'|' + QString::number(info.lastModified().toMSecsSinceEpoch());
    if (reported.contains(state))
        return;
    reported.insert(state);
    WriteLog(QStringLiteral("Settings store \"%1\" is damaged (%2); its settings are ignored until it is rewritten")
                 .arg(path, problem));
}

TvrnRegistryStore::TSaveFault& SaveFault() {
    static TvrnRegistryStore::TSaveFault fault;
    return fault;
}

void SyncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

TRegDataType TRegistryStoreValue::DataType() const {
    if (TypeName == TypeSz)
        return TRegDataType::rdString;
    if (TypeName == TypeExpandSz)
        return TRegDataType::rdExpandString;
    if (TypeName == TypeDword)
        return TRegDataType::rdInteger;
    if (TypeName == TypeBinary)
        return TRegDataType::rdBinary;
    return TRegDataType::rdUnknown;
}

TRegistryStoreValue TRegistryStoreValue::String(const QString& name, const QString& text, bool expand) {
    return {name, expand ? TypeExpandSz : TypeSz, QJsonValue(text)};
}

TRegistryStoreValue TRegistryStoreValue::Integer(const QString& name, qint32 value) {
    return {name, TypeDword, QJsonValue(static_cast<double>(value))};
}

TRegistryStoreValue TRegistryStoreValue::Binary(const QString& name, const QByteArray& data) {
    return {name, TypeBinary, QJsonValue(QString::fromLatin1(data.toHex()))};
}

qint32 TRegistryStoreValue::IntegerValue() const {
    // A value written unsigned (above 2^31 - 1) reads as the same 32 bits.
    const auto bits = static_cast<std::int64_t>(Data.toDouble());
    return static_cast<qint32>(static_cast<std::uint32_t>(bits & 0xFFFFFFFF));
}

QByteArray TRegistryStoreValue::BinaryValue() const {
    return QByteArray::fromHex(Data.toString().toLatin1());
}

void TvrnRegistryStore::SetSaveFault(TSaveFault fault) {
    SaveFault() = std::move(fault);
}

std::vector<TRegistryStoreValue>::iterator TvrnRegistryStore::Key::Find(const QString& name) {
    const QString folded = Fold(name);
    return std::find_if(values.begin(), values.end(),
                        [&](const TRegistryStoreValue& value) { return Fold(value.Name) == folded; });
}

std::vector<TRegistryStoreValue>::const_iterator TvrnRegistryStore::Key::Find(const QString& name) const {
    const QString folded = Fold(name);
    return std::find_if(values.begin(), values.end(),
                        [&](const TRegistryStoreValue& value) { return Fold(value.Name) == folded; });
}

void TvrnRegistryStore::Key::Set(const TRegistryStoreValue& value) {
    const auto it = Find(value.Name);
    if (it == values.end()) {
        values.push_back(value);
    } else {
        // The value keeps its place and the spelling of its name it was created with.
        it->TypeName = value.TypeName;
        it->Data = value.Data;
    }
}

TvrnRegistryStore::TvrnRegistryStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString TvrnRegistryStore::NormalizeKeyPath(const QString& keyPath) {
    return keyPath.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

QString TvrnRegistryStore::UserStorePath() {
    try {
        const QString folder = GetSpecialFolder(SpecialFolder::AppData);
        return folder.isEmpty() ? QString() : folder + QStringLiteral("/horalux/registry.json");
    } catch (const EVRNException&) {
        return QString();
    }
}

QString TvrnRegistryStore::MachineStorePath() {
    QString folder = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts).value(0);
    if (folder.isEmpty())
        folder = QStringLiteral("/etc/xdg");
    return QDir::cleanPath(folder) + QStringLiteral("/horalux/registry.json");
}

void TvrnRegistryStore::Load() {
    m_keys.clear();
    m_damaged = false;
    m_unreadable = false;
    if (m_filePath.isEmpty() || !QFileInfo::exists(m_filePath))
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        return;
    }
    const QByteArray bytes = file.readAll();
    QString problem;
    if (!Parse(bytes, problem)) {
        m_keys.clear();
        m_damaged = true;
        LogDamageOnce(m_filePath, problem);
    }
}

bool TvrnRegistryStore::Parse(const QByteArray& bytes, QString& problem) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        problem = QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset);
        return false;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(MarkerName).toInt(-1) != FormatVersion || !root.value(KeysName).isObject()) {
        problem = QStringLiteral("not a settings store of version %1").arg(FormatVersion);
        return false;
    }
    const QJsonObject keys = root.value(KeysName).toObject();
    for (auto keyIt = keys.begin(); keyIt != keys.end(); ++keyIt) {
        const QString path = NormalizeKeyPath(keyIt.key());
        Key& key = m_keys[Fold(path)]; // the empty path holds the root key's own values
        if (key.path.isEmpty())
            key.path = path;
        const auto readValue = [&](const QString& name, const QJsonValue& value) {
            const QJsonObject entry = value.toObject();
            const QString type = entry.value(TypeName).toString();
            const QJsonValue data = entry.value(DataName);
            if (!value.isObject() || name.isNull() || !IsValidData(type, data)) {
                problem = QStringLiteral("value \"%1\" of key \"%2\" has no valid name, type and data")
                              .arg(name, keyIt.key());
                return false;
            }
            key.Set({name, type, data});
            return true;
        };
        if (keyIt.value().isArray()) {
            for (const QJsonValue value : keyIt.value().toArray()) {
                const QJsonValue name = value.toObject().value(NameName);
                if (!readValue(name.isString() ? name.toString() : QString(), value))
                    return false;
            }
            continue;
        }
        if (!keyIt.value().isObject()) {
            problem = QStringLiteral("key \"%1\" is not a list of values").arg(keyIt.key());
            return false;
        }
        // The form of earlier versions: an object of values by name.
        const QJsonObject values = keyIt.value().toObject();
        for (auto valueIt = values.begin(); valueIt != values.end(); ++valueIt)
            if (!readValue(valueIt.key(), valueIt.value()))
                return false;
    }
    return true;
}

QByteArray TvrnRegistryStore::Serialize() const {
    QJsonObject keys;
    for (const auto& [folded, key] : m_keys) {
        QJsonArray values;
        for (const TRegistryStoreValue& value : key.values) {
            QJsonObject entry;
            entry.insert(NameName, value.Name);
            entry.insert(TypeName, value.TypeName);
            entry.insert(DataName, value.Data);
            values.append(entry);
        }
        keys.insert(key.path, values);
    }
    QJsonObject root;
    root.insert(MarkerName, FormatVersion);
    root.insert(KeysName, keys);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool TvrnRegistryStore::KeyExists(const QString& keyPath) const {
    const QString folded = Fold(NormalizeKeyPath(keyPath));
    if (folded.isEmpty())
        return true; // the root key itself
    if (m_keys.count(folded))
        return true;
    // A key that holds a sub-key exists as well.
    const QString prefix = folded + u'\\';
    const auto it = m_keys.lower_bound(prefix);
    return it != m_keys.end() && it->first.startsWith(prefix);
}

void TvrnRegistryStore::CreateKey(const QString& keyPath) {
    const QString path = NormalizeKeyPath(keyPath);
    if (path.isEmpty())
        return;
    Key& key = m_keys[Fold(path)];
    if (key.path.isEmpty())
        key.path = path;
}

QStringList TvrnRegistryStore::ValueNames(const QString& keyPath) const {
    QStringList names;
    const auto it = m_keys.find(Fold(NormalizeKeyPath(keyPath)));
    if (it != m_keys.end())
        for (const TRegistryStoreValue& value : it->second.values)
            names += value.Name;
    return names;
}

std::optional<TRegistryStoreValue> TvrnRegistryStore::FindValue(const QString& keyPath, const QString& name) const {
    const auto it = m_keys.find(Fold(NormalizeKeyPath(keyPath)));
    if (it == m_keys.end())
        return std::nullopt;
    const auto valueIt = it->second.Find(name);
    if (valueIt == it->second.values.end())
        return std::nullopt;
    return *valueIt;
}

void TvrnRegistryStore::SetValue(const QString& keyPath, const TRegistryStoreValue& value) {
    CreateKey(keyPath);
    m_keys[Fold(NormalizeKeyPath(keyPath))].Set(value);
}

bool TvrnRegistryStore::DeleteValue(const QString& keyPath, const QString& name) {
    const auto it = m_keys.find(Fold(NormalizeKeyPath(keyPath)));
    if (it == m_keys.end())
        return false;
    const auto valueIt = it->second.Find(name);
    if (valueIt == it->second.values.end())
        return false;
    it->second.values.erase(valueIt);
    return true;
}

bool TvrnRegistryStore::DeleteKeyIfEmpty(const QString& keyPath) {
    const QString folded = Fold(NormalizeKeyPath(keyPath));
    const auto it = m_keys.find(folded);
    if (folded.isEmpty() || it == m_keys.end() || !it->second.values.empty())
        return false;
    const QString prefix = folded + u'\\';
    const auto sub = m_keys.lower_bound(prefix);
    if (sub != m_keys.end() && sub->first.startsWith(prefix))
        return false;
    m_keys.erase(it);
    return true;
}

bool TvrnRegistryStore::Save(QString& error) {
    if (m_filePath.isEmpty()) {
        error = QStringLiteral("no folder for the settings store");
        return false;
    }
    if (m_unreadable) {
        // Replacing a file that could not be read would lose whatever it holds.
        error = QStringLiteral("the existing store \"%1\" cannot be read").arg(m_filePath);
        return false;
    }
    const QFileInfo info(m_filePath);
    if (!ForcePrivateDirectories(info.absolutePath())) {
        error = QStringLiteral("cannot create the folder \"%1\"").arg(info.absolutePath());
        return false;
    }
    if (m_damaged && info.exists()) {
        // Never write over a damaged store: keep it for whoever wants to rescue its settings.
        const QString kept =
            MakeUniqueFileName(info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".damaged"),
                               QStringLiteral("-"), info.suffix());
        if (!QFile::rename(m_filePath, kept)) {
            error = QStringLiteral("cannot keep the damaged store as \"%1\"").arg(kept);
            return false;
        }
        WriteLog(QStringLiteral("Damaged settings store \"%1\" kept as \"%2\"").arg(m_filePath, kept));
        m_damaged = false;
    }
    if (SaveFault() && !SaveFault()(m_filePath, error))
        return false;
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // A replaced store keeps the mode of the one before; a new one is the user's alone.
    if (!info.exists() && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    const QByteArray bytes = Serialize();
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    SyncFolder(info.absolutePath());
    return true;
}
