#pragma once

// What the commands that read or write the storage share: refusals with their exit codes, dates
// on the command line, the storage folder, the activity tree and the storage's questions.

#include "CtlCommands.h"

#include "model/ActivityTree.h"
#include "storage/StorageHost.h"
#include "storage/StorageQuestions.h"

#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

/// A refused command: the message goes to err; the exit code says whether the command line was
/// wrong (2) or the data could not be used (1).
class TCommandError : public std::runtime_error {
public:
    explicit TCommandError(const QString& message, int exitCode = CtlExitUsage)
        : std::runtime_error(message.toStdString()), text(message), code(exitCode) {}
    QString text;
    int code;
};

/// The data could not be read or written.
TCommandError DataError(const QString& message);

/// Walks the "--name value" pairs of arguments from index first, handing each to take, which
/// returns false for a name it does not know. A name without a value or an unknown name refuses
/// the command.
void ReadOptions(const QStringList& arguments, int first,
                 const std::function<bool(const QString& name, const QString& value)>& take);

/// A date "YYYY-MM-DD" given for option; refuses anything else.
double ParseDate(const QString& text, const QString& option);

/// The storage folder without --storage: the program's own (recorded in the user's registry store
/// when usable, else the default, created when missing), so that both always use the same one.
QString DefaultStorageFolder();

/// The folder's activity tree; a folder without an activities file gets the default tree, which
/// is written as the program's first start writes it when write is set.
std::shared_ptr<TActivityTree> LoadActivities(const QString& folder, bool write);

/// Fails the command with every question the storage asked.
void CheckQuestions(const TNonInteractiveStorageQuestions& questions);

/// Runs a command: a refusal or failure is written to err and becomes the exit code.
int RunCommand(TCtlIO& io, const std::function<int()>& command);

/// An existing storage folder (given with --storage, or the user's) opened for reading only, as
/// the program may be running, with its activity tree; questions of the storage fail the command
/// at CheckQuestions.
class TStorageReader {
public:
    explicit TStorageReader(const QString& storageOption);
    ~TStorageReader();
    TStorageReader(const TStorageReader&) = delete;
    TStorageReader& operator=(const TStorageReader&) = delete;

    IHXTypedStorage_& Storage() { return *m_typed; }
    const TypedStoragePtr& TypedStorage() const { return m_typed; }
    const QString& Folder() const { return m_folder; }
    const std::shared_ptr<TActivityTree>& Tree() const { return m_tree; }
    void CheckQuestions() const { ::CheckQuestions(*m_questions); }

private:
    static QString ExistingFolder(const QString& storageOption);

    QString m_folder;
    std::shared_ptr<TActivityTree> m_tree;
    TStorageHost m_host;
    TypedStoragePtr m_typed;
    std::shared_ptr<TNonInteractiveStorageQuestions> m_questions;
};
