#include "storage/StoragePath.h"

#include "foundation/Log.h"
#include "foundation/Registry.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "foundation/platform/InstanceLock.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool IsUsableFolder(const QString& folder) {
    // Only an absolute path: a relative one would name a different folder for every working
    // directory the program is started from.
    return !folder.isEmpty() && QDir::isAbsolutePath(folder) && QFileInfo(folder).isDir();
}

QString SpecialFolderOrEmpty(SpecialFolder id) {
    try {
        return GetSpecialFolder(id);
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.DetermineStoragePath"), e);
        return QString();
    }
}

/// The XDG base folders need not exist yet in a fresh home; they are created like the storage
/// folder inside them would be.
bool PrepareBaseFolder(const QString& folder) {
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return false;
    if (!QFileInfo(folder).isDir())
        ForcePrivateDirectories(folder);
    return IsUsableFolder(folder);
}

const QString kKey = QStringLiteral("\\Software\\Varnelo\\Horalux");
const QString kValue = QStringLiteral("StoragePath");

} // namespace

TStoragePathStore RegistryStoragePathStore() {
    return {[] {
                TvrnRegistry registry(KEY_READ);
                registry.SetRootKey(TvrnRootKey::CurrentUser);
                if (!registry.OpenKeyReadOnly(kKey))
                    return QString();
                return registry.ReadString(kValue);
            },
            [](const QString& path) { RegWriteString(QStringLiteral("HKEY_CURRENT_USER") + kKey, kValue, path); }};
}

QString DetermineStoragePath(const TStoragePathStore& store) {
    QString path;
    try {
        if (store.read)
            path = store.read();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.DetermineStoragePath"), e);
        path.clear();
    }

    if (!IsUsableFolder(path)) {
        QString base;
        for (SpecialFolder id : {SpecialFolder::LocalAppData, SpecialFolder::AppData, SpecialFolder::Personal}) {
            const QString candidate = SpecialFolderOrEmpty(id);
            if (PrepareBaseFolder(candidate)) {
                base = candidate;
                break;
            }
        }
        if (base.isEmpty())
            throw EVRNException(
                QStringLiteral("THXApplication.DetermineStoragePath: no storage folder found for this pc"));
        path = IncludeTrailingPathDelimiter(base) + QStringLiteral("Horalux");
        if (!QFileInfo(path).isDir() && !ForcePrivateDirectories(path))
            throw EVRNException(QStringLiteral("THXApplication.DetermineStoragePath: cannot create folder: \"") + path +
                                u'"');
    }
    if (!IsUsableFolder(path))
        throw EVRNException(QStringLiteral("THXApplication.DetermineStoragePath: invalid storage folder"));

    path = IncludeTrailingPathDelimiter(QDir::cleanPath(path));
    try {
        if (store.write)
            store.write(path);
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication.DetermineStoragePath: cannot store the folder"), e);
    }
    return path;
}

std::unique_ptr<TInstanceLock> AcquireStorageFolderLock(const QString& folder) {
    auto lock = std::make_unique<TInstanceLock>(QDir::cleanPath(folder));
    if (!lock->TryAcquire())
        return nullptr;
    return lock;
}
