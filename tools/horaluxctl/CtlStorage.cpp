#include "CtlStorage.h"

#include "foundation/DateTime.h"
#include "foundation/VRNTools.h"
#include "foundation/XMZFile.h"
#include "model/DefaultActivities.h"
#include "storage/StoragePath.h"

#include <QFileInfo>

namespace {

const TGUID ActivitiesFileType = TGUID::Constant("{D8DC13CC-9EB0-4DC8-B1F2-9E3890D306A3}");

QString ActivitiesFileName(const QString& folder) {
    return IncludeTrailingPathDelimiter(folder) + QStringLiteral("activities.hx");
}

} // namespace

TCommandError DataError(const QString& message) {
    return TCommandError(message, CtlExitFailure);
}

void ReadOptions(const QStringList& arguments, int first,
                 const std::function<bool(const QString& name, const QString& value)>& take) {
    for (int i = first; i < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        if (i + 1 >= arguments.size())
            throw TCommandError(QStringLiteral("Missing value after %1").arg(name));
        if (!take(name, arguments[i + 1]))
            throw TCommandError(QStringLiteral("Unknown option %1").arg(name));
    }
}

double ParseDate(const QString& text, const QString& option) {
    int year = 0, month = 0, day = 0;
    double result = 0;
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() == 3 && text.size() == 10) {
        bool ok1 = false, ok2 = false, ok3 = false;
        year = parts[0].toInt(&ok1);
        month = parts[1].toInt(&ok2);
        day = parts[2].toInt(&ok3);
        if (ok1 && ok2 && ok3 && TryEncodeDate(year, month, day, result))
            return result;
    }
    throw TCommandError(QStringLiteral("%1: \"%2\" is not a date (YYYY-MM-DD)").arg(option, text));
}

QString DefaultStorageFolder() {
    return DetermineStoragePath(RegistryStoragePathStore());
}

std::shared_ptr<TActivityTree> LoadActivities(const QString& folder, bool write) {
    std::shared_ptr<TActivityTree> tree = TActivityTree::Create();
    const QString fileName = ActivitiesFileName(folder);
    TXMZFile file;
    if (QFileInfo::exists(fileName)) {
        try {
            file.AssignFile_(fileName, true, ActivitiesFileType);
            tree->LoadFromXML(file.GetContent());
        } catch (const std::exception& e) {
            throw DataError(
                QStringLiteral("The activities file \"%1\" cannot be read: %2").arg(fileName, ExceptionToText(e)));
        }
        file.Close_();
        // As at the program's start: the default tree, built once and dropped, fills the table of
        // default activity names that activities without a name of their own show.
        std::shared_ptr<TActivityTree> defaults = TActivityTree::Create();
        BuildDefaultActivityTree(defaults);
        ReleaseAndCleanup(defaults);
        return tree;
    }
    BuildDefaultActivityTree(tree);
    if (write) {
        file.AssignNewFile_(fileName, ActivitiesFileType);
        tree->SaveToXML(file.GetContent());
        file.Save();
        file.Close_();
    }
    return tree;
}

void CheckQuestions(const TNonInteractiveStorageQuestions& questions) {
    if (questions.Asked())
        throw DataError(QStringLiteral("The work data could not be used:\n  ") +
                        questions.Messages().join(QStringLiteral("\n  ")));
}

int RunCommand(TCtlIO& io, const std::function<int()>& command) {
    try {
        return command();
    } catch (const TCommandError& e) {
        io.err << "horaluxctl: " << e.text << '\n';
        return e.code;
    } catch (const std::exception& e) {
        io.err << "horaluxctl: " << ExceptionToText(e) << '\n';
        return CtlExitFailure;
    }
}

QString TStorageReader::ExistingFolder(const QString& storageOption) {
    const QString folder = storageOption.isEmpty() ? DefaultStorageFolder() : storageOption;
    if (!QFileInfo(folder).isDir())
        throw DataError(QStringLiteral("The storage folder \"%1\" does not exist").arg(folder));
    return folder;
}

TStorageReader::TStorageReader(const QString& storageOption)
    : m_folder(ExistingFolder(storageOption)), m_tree(LoadActivities(m_folder, false)), m_host(m_folder),
      m_questions(std::make_shared<TNonInteractiveStorageQuestions>()) {
    m_host.SetReadOnly(true); // the program may be running: only read
    ConnectStorageQuestions(m_host.Notifications(), m_questions);
    m_typed = m_host.GetTypedStorage();
}

TStorageReader::~TStorageReader() {
    m_typed.reset();
    ReleaseAndCleanup(m_tree);
}
