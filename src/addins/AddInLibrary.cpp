#include "addins/AddInLibrary.h"

#include <HoraluxSDK.h>
#include <QFile>
#include <dlfcn.h>
#include <map>
#include <memory>

namespace {

QString VersionText(uint16_t major, uint16_t minor) {
    return QString::number(major) + u'.' + QString::number(minor);
}

/// Refuses a library built for another SDK library, another major version or a newer minor one.
void CheckModuleInfo(const QString& path, const HXModuleInfo* info) {
    using namespace HoraluxSDK;
    if (!info || info->size < sizeof(HXModuleInfo))
        throw EAddInLoadError(QStringLiteral("%1 gives no valid module information").arg(path));
    if (!HXEqualGuid(info->libraryId, LIBID_HoraluxSDK))
        throw EAddInLoadError(QStringLiteral("%1 was not built for the Horalux SDK").arg(path));
    if (info->majorVersion != HoraluxSDKMajorVersion || info->minorVersion > HoraluxSDKMinorVersion)
        throw EAddInLoadError(QStringLiteral("%1 needs the SDK version %2; this program offers %3")
                                  .arg(path, VersionText(info->majorVersion, info->minorVersion),
                                       VersionText(HoraluxSDKMajorVersion, HoraluxSDKMinorVersion)));
}

} // namespace

const TAddInLibrary& LoadAddInLibrary(const QString& path) {
    // Main thread only, as the add-in manager; the entries are never removed.
    static std::map<QString, TAddInLibrary> loaded;
    if (auto it = loaded.find(path); it != loaded.end())
        return it->second;

    if (path.isEmpty())
        throw EAddInLoadError(QStringLiteral("no library is registered for the class"));
    dlerror();
    // Never unloaded: RTLD_NODELETE keeps it even if a handle were closed.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* reason = dlerror();
        throw EAddInLoadError(reason ? QString::fromLocal8Bit(reason) : QStringLiteral("cannot load ") + path);
    }
    const auto moduleInfo = reinterpret_cast<HXModuleInfoFunction>(dlsym(handle, HX_MODULE_INFO_SYMBOL));
    const auto createObject = reinterpret_cast<HXCreateObjectFunction>(dlsym(handle, HX_CREATE_OBJECT_SYMBOL));
    if (!moduleInfo || !createObject)
        throw EAddInLoadError(
            QStringLiteral("%1 is no Horalux add-in library (it lacks %2 or %3)")
                .arg(path, QLatin1StringView(HX_MODULE_INFO_SYMBOL), QLatin1StringView(HX_CREATE_OBJECT_SYMBOL)));
    CheckModuleInfo(path, moduleInfo());
    const auto classes = reinterpret_cast<HXAddInClassesFunction>(dlsym(handle, HX_ADDIN_CLASSES_SYMBOL));
    return loaded.emplace(path, TAddInLibrary{path, createObject, classes}).first->second;
}
