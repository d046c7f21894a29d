// horaluxctl addins list | register | unregister: the add-ins of other makers, as the settings
// store lists them for the program.

#include "CtlCommands.h"

#include "addins/AddInLibrary.h"
#include "addins/RegistryAddInSource.h"
#include "addins/SdkBridge.h"
#include "foundation/Registry.h"

#include <QFileInfo>

namespace {
const char* const Help =
    "addins list\n"
    "    Lists the add-ins of other libraries that Horalux loads at its start: the current user's,\n"
    "    then the machine's, each with its class GUID and library, or why it cannot be loaded.\n"
    "    An add-in marked -1 is listed as off.\n"
    "addins register LIBRARY\n"
    "    Checks that LIBRARY is an add-in library for this version of Horalux and registers each\n"
    "    add-in class it names (HoraluxAddInClasses) for the current user: the class entries and\n"
    "    the user's list of add-ins. Takes effect at the next start of Horalux.\n"
    "addins unregister NAME\n"
    "    Removes the add-in NAME from the current user's list and its class entries.\n";

int Usage(TCtlIO& io, const QString& problem) {
    io.err << "horaluxctl: " << problem << "\n\n" << Help;
    return CtlExitUsage;
}

QString ListKey(const char* root) {
    return QString::fromLatin1(root) + AddInsListKey();
}

QString ClassKey(const QString& name) {
    return QStringLiteral("HKEY_CLASSES_ROOT\\") + name + QStringLiteral("\\CLSID");
}

QString ServerKey(const TGUID& clsid) {
    return QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + clsid.ToString() + QStringLiteral("\\InprocServer32");
}

int List(TCtlIO& io) {
    for (const auto& [root, label] :
         {std::pair{TvrnRootKey::CurrentUser, "user"}, {TvrnRootKey::LocalMachine, "machine"}}) {
        TvrnRegistry registry(KEY_READ);
        registry.SetRootKey(root);
        if (!registry.OpenKeyReadOnly(AddInsListKey()))
            continue;
        for (const QString& name : registry.GetValueNames()) {
            io.out << label << "\t" << name << "\t";
            if (registry.GetDataType(name) == TRegDataType::rdInteger && registry.ReadInteger(name) == -1) {
                io.out << "off\n";
                continue;
            }
            try {
                const TGUID clsid = TRegistryAddInSource::ClassOf(name);
                io.out << clsid.ToString() << "\t" << TRegistryAddInSource::LibraryOf(clsid) << "\n";
            } catch (const std::exception& e) {
                io.out << "cannot be loaded: " << ExceptionToText(e) << "\n";
            }
        }
    }
    return CtlExitOk;
}

int Register(const QString& file, TCtlIO& io) {
    const QString path = QFileInfo(file).absoluteFilePath();
    try {
        const TAddInLibrary& library = LoadAddInLibrary(path);
        const HXAddInClass* classes = library.classes ? library.classes() : nullptr;
        if (!classes || !classes->className)
            throw EAddInLoadError(
                QStringLiteral("%1 names no add-in class (%2)").arg(path, QLatin1StringView(HX_ADDIN_CLASSES_SYMBOL)));
        for (; classes->className; ++classes) {
            const QString name = QString::fromUtf8(classes->className);
            const TGUID clsid = FromHXGuid(classes->clsid);
            RegWriteString(ClassKey(name), QString(), clsid.ToString());
            RegWriteString(ServerKey(clsid), QString(), path);
            RegWriteString(ListKey("HKEY_CURRENT_USER"), name, QString());
            io.out << "registered " << name << " " << clsid.ToString() << " " << path << "\n";
        }
        return CtlExitOk;
    } catch (const std::exception& e) {
        io.err << "horaluxctl: " << file << ": " << ExceptionToText(e) << "\n";
        return CtlExitFailure;
    }
}

int Unregister(const QString& name, TCtlIO& io) {
    try {
        TvrnRegistry registry(KEY_READ);
        registry.SetRootKey(TvrnRootKey::CurrentUser);
        if (!registry.OpenKeyReadOnly(AddInsListKey()) || !registry.ValueExists(name)) {
            io.err << "horaluxctl: " << name << " is not in the current user's list of add-ins\n";
            return CtlExitFailure;
        }
        RegDeleteValue(ListKey("HKEY_CURRENT_USER"), name);
        RegDeleteEmptyKeys(ListKey("HKEY_CURRENT_USER")); // kept while other add-ins are listed
        try {
            const QString server = ServerKey(TRegistryAddInSource::ClassOf(name));
            RegDeleteValue(server, QString());
            RegDeleteEmptyKeys(server);
        } catch (const EVRNException&) {
            // No class entries left: nothing more to remove.
        }
        RegDeleteValue(ClassKey(name), QString());
        RegDeleteEmptyKeys(ClassKey(name));
        io.out << "unregistered " << name << "\n";
        return CtlExitOk;
    } catch (const std::exception& e) {
        io.err << "horaluxctl: " << name << ": " << ExceptionToText(e) << "\n";
        return CtlExitFailure;
    }
}

int Run(const QStringList& args, TCtlIO& io) {
    const QString command = args.value(0);
    if (command == QLatin1String("list") && args.size() == 1)
        return List(io);
    if (command == QLatin1String("register") && args.size() == 2)
        return Register(args[1], io);
    if (command == QLatin1String("unregister") && args.size() == 2)
        return Unregister(args[1], io);
    return Usage(io, QStringLiteral("addins needs list, register LIBRARY or unregister NAME"));
}
} // namespace

TCtlCommandGroup AddInCommandGroup() {
    return {QStringLiteral("addins"), QStringLiteral("list, register and unregister add-ins of other libraries"),
            QString::fromLatin1(Help), Run};
}
