#pragma once

// A storage backed by one data file in the storage folder: opening, naming, writing and deleting
// its file, its own description in the file ("info"), and the save loop with its questions.
//
// Invariants kept by every save (see TStorageSaveSession):
// - a file that a parent file on disk refers to is only ever rewritten with the same own
//   description; when the description changes (another window, a first name), the data goes to a
//   new file and the old one is deleted only after the parent file names the new one;
// - a new file is written with its final name in its own description, so the file and its parent
//   agree after every completed save.

#include "foundation/XMLHelper.h"
#include "storage/StorageBase.h"

#include <vector>

class TStorageFileBase : public TStorageBase {
public:
    void Save() override;
    void ClearCache() override;
    void Cleanup() override;

    /// The content element of the file, opened or created on first use; raises
    /// EStorageFileNotFoundError for a missing file that may not be created and
    /// EStorageReadInfoError when the file's own description differs from this storage's.
    TvrnDomElement GetContentNode_();
    /// Whether the own description in a file (its "info" element) agrees with this storage's, as
    /// GetContentNode_ checks it.
    bool OwnInfoAgrees(const TvrnDomElement& infoElement);
    /// Storage folder + Path, or a unique name for a storage without a file yet.
    QString GetFullFileName();

    TStorageFileInfoBase& FileInfo() const { return *m_fileInfo; }
    bool IsNew() const { return m_isNew; }
    bool AllowCreate() const { return m_allowCreate; }
    void SetAllowCreate(bool allow) { m_allowCreate = allow; }
    /// The file object (nullptr while not opened).
    const std::shared_ptr<TXMZFile>& File() const { return m_file; }

protected:
    TStorageFileBase(StorageNotificationsPtr notifications, IStorageApplication* application, StorageInfoPtr info,
                     const TGUID& storageType);

    enum class TContentUpdate {
        Unchanged, ///< the file on disk holds everything: nothing to write
        Changed,   ///< the content changed: write the file
        Postponed, ///< the content must not be written in this pass (a sub-storage failed)
    };
    /// Brings the content up to date before the file is written.
    virtual TContentUpdate UpdateContent() = 0;
    virtual QString GetBaseFileName() { return QStringLiteral("data"); }
    virtual bool CanCreateFile() { return m_allowCreate; }
    /// Whether the storage may move to a new file when its description changes (the root's name
    /// is fixed).
    virtual bool CanMoveFile() { return true; }
    /// After a range search of this storage failed: asks about it unless the user chose Ignore
    /// before. True when the search gives up (Cancel, Ignore, or Ignore chosen earlier); false
    /// when it runs again (Retry, or Create New, which first allows creating the missing file).
    bool GiveUpRangeSearch(const std::exception& e);
    /// Writes the own description into "info", after giving the storage its final file name.
    void WriteInfo();
    void RemoveInfo();
    /// Whether anything still waits for a save that succeeds (files to delete).
    bool HasPendingFileWork() const { return !m_obsoleteFiles.empty() || !m_obsoleteNames.empty(); }

private:
    void SaveAttempts_(bool collecting);
    void SavePass_();
    void WriteFile_();
    void DropFile_();
    void EnsureFinalName_();
    /// Whether fullName is a file this storage left and deletes once a save commits.
    bool IsObsoleteName_(const QString& fullName) const;
    void HandleCriticalFailure_();
    void DeleteObsoleteFiles_();
    bool OwnInfoAgrees_(const PropertyListPtr& inFile, const PropertyListPtr& expected);

    TStorageFileInfoBase* m_fileInfo = nullptr;
    std::shared_ptr<TXMZFile> m_file;
    bool m_isNew = false;
    bool m_allowCreate = false;
    /// The name of the file m_file is assigned to ("" while the document is only in memory).
    QString m_diskPath;
    /// The own description as it stands in that file (nullptr: the file has none).
    PropertyListPtr m_diskInfo;
    /// The own description written into the content by the last WriteInfo.
    PropertyListPtr m_writtenInfo;
    /// The document whose own description was already checked.
    TvrnDomDocument m_checkedDocument;
    /// Files this storage left; deleted once a save commits (then no parent refers to them).
    std::vector<std::shared_ptr<TXMZFile>> m_obsoleteFiles;
    /// Files this storage left after a critical failure (their file objects are closed).
    std::vector<QString> m_obsoleteNames;
};
