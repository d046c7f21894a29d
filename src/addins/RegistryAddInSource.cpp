#include "addins/RegistryAddInSource.h"

#include "addins/AddInLibrary.h"
#include "addins/ExternalAddIn.h"
#include "addins/SdkBridge.h"
#include "foundation/Registry.h"

QString AddInsListKey() {
    return QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins");
}

namespace {

/// The default value of a key of the classes root, or an empty text.
QString ClassesDefault(const QString& key) {
    TvrnRegistry registry(KEY_READ);
    registry.SetRootKey(TvrnRootKey::ClassesRoot);
    if (!registry.OpenKeyReadOnly(QStringLiteral("\\") + key))
        return QString();
    if (registry.GetDataType(QString()) != TRegDataType::rdString &&
        registry.GetDataType(QString()) != TRegDataType::rdExpandString)
        return QString();
    return registry.ReadString(QString());
}

bool ClassesKeyExists(const QString& key) {
    TvrnRegistry registry(KEY_READ);
    registry.SetRootKey(TvrnRootKey::ClassesRoot);
    return registry.KeyExists(QStringLiteral("\\") + key);
}

} // namespace

QStringList TRegistryAddInSource::ListAddInNames() {
    QStringList names;
    for (TvrnRootKey root : {TvrnRootKey::CurrentUser, TvrnRootKey::LocalMachine}) {
        TvrnRegistry registry(KEY_READ);
        registry.SetRootKey(root);
        if (!registry.OpenKeyReadOnly(AddInsListKey()))
            continue;
        for (const QString& name : registry.GetValueNames()) {
            if (name.isEmpty())
                continue;
            if (registry.GetDataType(name) == TRegDataType::rdInteger && registry.ReadInteger(name) == -1)
                continue;
            names << name;
        }
    }
    return names;
}

TGUID TRegistryAddInSource::ClassOf(const QString& name) {
    const QString text = ClassesDefault(name + QStringLiteral("\\CLSID")).trimmed();
    if (text.isEmpty())
        throw EVRNException(QStringLiteral("Class not registered"));
    return TGUID::FromString(text);
}

QString TRegistryAddInSource::LibraryOf(const TGUID& classId) {
    const QString key = QStringLiteral("CLSID\\") + classId.ToString();
    const QString library = ClassesDefault(key + QStringLiteral("\\InprocServer32")).trimmed();
    if (!library.isEmpty())
        return library;
    if (ClassesKeyExists(key + QStringLiteral("\\LocalServer32")))
        throw EVRNException(QStringLiteral("Local server add-ins are not supported"));
    throw EVRNException(QStringLiteral("Class not registered"));
}

AddInPtr TRegistryAddInSource::CreateAddIn(const QString& name) {
    const TGUID classId = ClassOf(name);
    const TAddInLibrary& library = LoadAddInLibrary(LibraryOf(classId));
    const HXGUID clsid = ToHXGuid(classId);
    void* object = nullptr;
    BeginHXCall();
    const HXRESULT result = library.createObject(&clsid, &HoraluxSDK::IHXAddIn::IID, &object);
    if (HX_SUCCEEDED(result) && !object)
        throw EHXAutomationError(QStringLiteral("%1 made no object").arg(library.path));
    CheckHXResult(result, "HoraluxCreateObject");
    return std::make_shared<TExternalAddIn>(static_cast<HoraluxSDK::IHXAddIn*>(object));
}
