#pragma once

// The storage folder's file names: full names of storage files, names for new files that neither
// exist nor are promised to another storage, and the list of promised (reserved) names.

#include "foundation/VRNException.h"

#include <QSet>
#include <QString>

/// A storage file name that is not a plain file name in the storage folder.
VRN_DECLARE_EXCEPTION(EStorageFileNameError, EVRNException);

/// Whether name is a plain file name: not empty, no folder part, no "/" or "\", not "." or "..",
/// no control characters. Names read from data files must pass this before they are used, so that
/// a damaged file can never make the program read, create or delete a file outside the folder.
bool IsPlainStorageFileName(const QString& name);

/// The storage file names service the storage uses (the controller provides it to the storage).
class IStorageFileNames {
public:
    IStorageFileNames() = default;
    virtual ~IStorageFileNames() = default;
    IStorageFileNames(const IStorageFileNames&) = delete;
    IStorageFileNames& operator=(const IStorageFileNames&) = delete;

    /// Storage folder + name. A name that is not a plain file name raises EStorageFileNameError.
    virtual QString GetStorageFileName(const QString& name) = 0;
    /// Storage folder + name, or + stem "1" extension, stem "2" extension, ... : the first that
    /// neither exists nor is reserved.
    virtual QString GetUniqueStorageFileName(const QString& name) = 0;
    /// Promises a full name to a storage; it is never chosen for another new file.
    virtual void ReserveStorageFileName(const QString& fullName) = 0;
    /// Gives a reserved name back once its file was deleted and nothing refers to it any more.
    /// Without it, names stay reserved until the program ends (new files then take higher numbers).
    virtual void ReleaseStorageFileName(const QString& /*fullName*/) {}
};

class TStorageFileNames : public IStorageFileNames {
public:
    /// folder: the storage folder; a trailing "/" is added if missing.
    explicit TStorageFileNames(const QString& folder);

    QString GetStorageFileName(const QString& name) override;
    QString GetUniqueStorageFileName(const QString& name) override;
    void ReserveStorageFileName(const QString& fullName) override;
    void ReleaseStorageFileName(const QString& fullName) override;

    const QString& Folder() const { return m_folder; }
    bool IsReserved(const QString& fullName) const { return m_reserved.contains(fullName); }

private:
    QString m_folder;
    QSet<QString> m_reserved;
};
