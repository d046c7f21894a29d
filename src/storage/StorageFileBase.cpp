#include "storage/StorageFileBase.h"

#include "foundation/Log.h"
#include "foundation/VRNTools.h"
#include "foundation/XMZErrors.h"
#include "foundation/XMZFile.h"
#include "foundation/XMZFileSystem.h"
#include "storage/StorageExceptions.h"
#include "storage/StoragePropertyLists.h"
#include "storage/StorageSaveSession.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const QString kInfo = QStringLiteral("info");
constexpr int Direct = TCollectingStorageNotifications::ModeDirect;
constexpr int Collecting = TCollectingStorageNotifications::ModeCollecting;

/// A new storage file holding an empty envelope, opened for writing. The envelope is written under
/// a temporary name and then linked to fullName, which fails if fullName exists: a crash can leave
/// a temporary file behind, but never a partly written file under a storage file's name.
std::shared_ptr<TXMZFile> CreateStorageFile(IStorageApplication& application, const QString& fullName) {
    const QString temporary = MakeUniqueFileName(fullName, QStringLiteral("_"), QStringLiteral("new"));
    {
        std::shared_ptr<TXMZFile> fresh = application.CreateNewXMZFile();
        fresh->AssignNewFile_(temporary, StorageFileType);
        fresh->Close_();
    }
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(fullName);
    const int linked = ::link(from.constData(), to.constData());
    const int error = errno;
    ::unlink(from.constData());
    if (linked != 0)
        throw EXMZFailure(QStringLiteral("TStorageFileBase: cannot create \"%1\": %2")
                              .arg(fullName, QString::fromLocal8Bit(std::strerror(error))));
    SyncParentFolder(fullName);
    std::shared_ptr<TXMZFile> file = application.CreateNewXMZFile();
    file->AssignFile_(fullName, false, StorageFileType);
    return file;
}

} // namespace

TStorageFileBase::TStorageFileBase(StorageNotificationsPtr notifications, IStorageApplication* application,
                                   StorageInfoPtr info, const TGUID& storageType)
    : TStorageBase(std::move(notifications), application, std::move(info), storageType) {
    m_fileInfo = dynamic_cast<TStorageFileInfoBase*>(Info().get());
    if (!m_fileInfo)
        throw EStorageCreateError(
            QStringLiteral("TStorageFileBase.Create: AStorageInfo does not support _IHXStorageFileInfo"));
}

QString TStorageFileBase::GetFullFileName() {
    IStorageFileNames& names = Application().StorageFileNames();
    const QString path = FileInfo().Path();
    if (!path.isEmpty())
        return names.GetStorageFileName(path);
    return names.GetUniqueStorageFileName(GetBaseFileName() + QStringLiteral(".hx"));
}

bool TStorageFileBase::OwnInfoAgrees_(const PropertyListPtr& inFile, const PropertyListPtr& expected) {
    // Files written by earlier versions carry an empty path in their own description (they were
    // named only after the description was written): that agrees with the parent's path.
    if (StorageLists::GetStringDef(inFile, QStringLiteral("path")).isEmpty() &&
        !StorageLists::GetStringDef(expected, QStringLiteral("path")).isEmpty()) {
        const PropertyListPtr completed = StorageLists::Copy(inFile);
        StorageLists::SetString(completed, QStringLiteral("path"),
                                StorageLists::GetStringDef(expected, QStringLiteral("path")));
        return StorageLists::Equals(completed, expected);
    }
    return StorageLists::Equals(inFile, expected);
}

bool TStorageFileBase::OwnInfoAgrees(const TvrnDomElement& infoElement) {
    return InfoBase().Changed() ||
           OwnInfoAgrees_(StorageLists::LoadFromElement(infoElement), InfoBase().SaveAsPropertyList());
}

TvrnDomElement TStorageFileBase::GetContentNode_() {
    if (!m_file) {
        std::shared_ptr<TXMZFile> file = Application().CreateNewXMZFile();
        bool isNew = true;
        const QString path = FileInfo().Path();
        if (!path.isEmpty()) {
            // Only plain names in the storage folder: a damaged parent file must never lead us
            // to a file elsewhere.
            const QString fullName = Application().StorageFileNames().GetStorageFileName(path);
            const bool readOnly = Application().IsStorageReadOnly();
            try {
                if (QFileInfo::exists(fullName)) {
                    file->AssignFile_(fullName, readOnly, StorageFileType);
                    isNew = false;
                } else if (!CanCreateFile()) {
                    throw EStorageFileNotFoundError(QStringLiteral("File not found"));
                } else if (!readOnly) {
                    file = CreateStorageFile(Application(), fullName);
                }
            } catch (...) {
                try {
                    file->Close_();
                } catch (...) {
                }
                throw;
            }
        }
        m_file = file;
        m_isNew = isNew;
        m_diskPath = file->IsAssigned() ? path : QString();
        m_diskInfo.reset();
        m_checkedDocument = {};
        if (!m_diskPath.isEmpty()) {
            const TvrnDomElement infoElement = XMLFindChild(m_file->GetContent(), kInfo);
            if (infoElement.Assigned())
                m_diskInfo = StorageLists::LoadFromElement(infoElement);
        }
    }
    const TvrnDomElement content = m_file->GetContent();
    const TvrnDomDocument document = m_file->GetDocument();
    if (!(document == m_checkedDocument)) {
        if (!InfoBase().Changed()) {
            const TvrnDomElement infoElement = XMLFindChild(content, kInfo);
            if (infoElement.Assigned() &&
                !OwnInfoAgrees_(StorageLists::LoadFromElement(infoElement), InfoBase().SaveAsPropertyList()))
                throw EStorageReadInfoError(
                    QStringLiteral("TStorageFileBase._GetContentNode: StorageInfo differs from info in manager file"));
        }
        m_checkedDocument = document;
    }
    return content;
}

void TStorageFileBase::EnsureFinalName_() {
    const QString path = FileInfo().Path();
    const bool onDisk = !m_diskPath.isEmpty() && path == m_diskPath && m_file && m_file->IsAssigned();
    if (onDisk) {
        // The parent on disk refers to this file with the description the file holds: the file
        // may be rewritten in place as long as that description stays the same.
        if (!CanMoveFile() || !m_diskInfo || OwnInfoAgrees_(m_diskInfo, InfoBase().SaveAsPropertyList()))
            return;
    }
    if (!CanMoveFile() && !path.isEmpty())
        return;
    IStorageFileNames& names = Application().StorageFileNames();
    if (!path.isEmpty() && path != m_diskPath && IsPlainStorageFileName(path)) {
        // A name an earlier attempt reserved and never wrote: nothing on disk refers to it, so the
        // next attempt takes it again instead of using up another name.
        const QString fullName = names.GetStorageFileName(path);
        if (!QFileInfo::exists(fullName) && !IsObsoleteName_(fullName))
            return;
    }
    const QString fullName = names.GetUniqueStorageFileName(GetBaseFileName() + QStringLiteral(".hx"));
    names.ReserveStorageFileName(fullName);
    FileInfo().SetPath(QFileInfo(fullName).fileName());
}

bool TStorageFileBase::IsObsoleteName_(const QString& fullName) const {
    for (const auto& file : m_obsoleteFiles)
        if (file->FileName() == fullName)
            return true;
    return std::find(m_obsoleteNames.begin(), m_obsoleteNames.end(), fullName) != m_obsoleteNames.end();
}

void TStorageFileBase::WriteInfo() {
    const TvrnDomElement content = GetContentNode_();
    // The final name first, so that the file's own description names the file it is in.
    EnsureFinalName_();
    const PropertyListPtr list = InfoBase().SaveAsPropertyList();
    TvrnDomElement infoElement = XMLFindChild(content, kInfo);
    if (infoElement.Assigned())
        XMLRemoveAllChildren(infoElement);
    else
        infoElement = XMLAddChild(content, kInfo);
    StorageLists::SaveToElement(list, infoElement);
    m_writtenInfo = list;
}

void TStorageFileBase::RemoveInfo() {
    const TvrnDomElement content = GetContentNode_();
    const TvrnDomElement infoElement = XMLFindChild(content, kInfo);
    if (infoElement.Assigned())
        XMLRemoveChild(content, infoElement);
}

void TStorageFileBase::Save() {
    if (Application().IsStorageReadOnly())
        throw EStorageError(QStringLiteral("TStorageFileBase._Save: the storage is open for reading only"));
    TStorageSaveSession::TScope scope;
    auto* collecting = dynamic_cast<TCollectingStorageNotifications*>(NotificationObject());
    try {
        TStorageModeGuard guard(NotificationObject(), Collecting);
        const bool startedDirect = guard.PreviousMode() == Direct;
        bool again = true;
        while (again) {
            again = false;
            if (scope.IsOutermost())
                scope.Session().BeginPass();
            SaveAttempts_(collecting != nullptr);
            if (startedDirect && collecting) {
                // The outermost save asks once for the whole pass.
                QString message;
                int answer = StorageAnswer::Cancel;
                collecting->SetMode(Direct);
                const bool asked = collecting->DeliverPending(message, answer);
                collecting->SetMode(Collecting);
                if (asked && answer == StorageAnswer::Cancel)
                    throw EUserCancel(message);
                again = asked && answer == StorageAnswer::Retry;
            }
            if (scope.IsOutermost() && !scope.Session().EndPass())
                WriteLog(QStringLiteral("TStorageFileBase._Save: not everything was written; the unsaved data stays "
                                        "in memory"));
        }
    } catch (...) {
        m_allowCreate = false;
        // The data changed in memory even though it did not reach disk: whoever watches the data
        // must know, or it would ask for the same data again.
        NotificationObject()->NotifyDataChanged();
        throw;
    }
    m_allowCreate = false;
    NotificationObject()->NotifyDataChanged();
}

void TStorageFileBase::SaveAttempts_(bool collecting) {
    TStorageSaveSession& session = *TStorageSaveSession::Current();
    // The session knows a storage by its complete object, whichever interface asks about it.
    const void* self = dynamic_cast<const void*>(this);
    for (;;) {
        session.EnterStorage();
        try {
            SavePass_();
            if (!session.CurrentFailed()) {
                auto self = shared_from_this();
                session.OnCommit([self, this] {
                    InfoBase().MarkSaved();
                    DeleteObsoleteFiles_();
                });
            }
            // A postponed file: the sub-storage that failed was asked about already.
            session.LeaveStorage(self, true);
            return;
        } catch (const EUserCancel&) {
            session.LeaveStorage(self, false);
            throw;
        } catch (const std::exception& e) {
            session.LeaveStorage(self, false);
            LogException(QStringLiteral("TStorageFileBase._Save"), e);
            if (dynamic_cast<const EXMZFailureCritical*>(&e))
                HandleCriticalFailure_();
            const bool fileNotFound = IsStorageFileNotFound(e);
            const int answer = Ask(TStorageQuestion::FileSave, e);
            if (answer == StorageAnswer::Cancel) {
                if (fileNotFound || !collecting) {
                    const QString text = QStringLiteral("TStorageFileBase._Save ") + ExceptionToTextSuffix(e);
                    if (collecting)
                        throw EAutoCancel(text);
                    throw EUserCancel(text);
                }
                return; // only recorded; the outermost save asks
            }
            if (answer == StorageAnswer::Ignore)
                return;
            if (answer == StorageAnswer::CreateNew)
                m_allowCreate = true;
        } catch (...) {
            session.LeaveStorage(self, false);
            throw;
        }
    }
}

void TStorageFileBase::SavePass_() {
    m_writtenInfo.reset();
    const TContentUpdate update = UpdateContent();
    if (update == TContentUpdate::Postponed || !m_file)
        return; // postponed (the attempt is already marked failed), or never opened: nothing to write
    if (update == TContentUpdate::Unchanged && !m_isNew)
        return; // unchanged: the file on disk holds all of it (and its document need not be read)
    const TvrnDomElement content = m_file->GetContent();
    if (XMLChildNodeCount(content) == 0) {
        DropFile_();
        return;
    }
    if (!m_writtenInfo)
        WriteInfo();
    WriteFile_();
    m_isNew = false;
    m_allowCreate = false;
}

void TStorageFileBase::WriteFile_() {
    const QString path = FileInfo().Path();
    if (path.isEmpty())
        throw EMustNotHappen(QStringLiteral("TStorageFileBase._Save: the storage has no file name"));
    if (path == m_diskPath && m_file->IsAssigned()) {
        m_file->Save_();
        m_file->Flush_();
    } else {
        // A new file: written completely under its final name before any parent refers to it.
        const QString fullName = Application().StorageFileNames().GetStorageFileName(path);
        std::shared_ptr<TXMZFile> file;
        try {
            file = CreateStorageFile(Application(), fullName);
            file->AdoptDocument(m_file->GetDocument());
            file->Save_();
            file->Flush_();
        } catch (const std::exception& e) {
            // Nothing refers to the new file yet; the document stays with the old file object.
            try {
                if (file && file->IsAssigned())
                    file->Delete_();
            } catch (...) {
            }
            if (dynamic_cast<const EXMZFailureCritical*>(&e))
                throw EXMZFailure(GetExceptionMessage(e));
            throw;
        }
        Application().StorageFileNames().ReserveStorageFileName(fullName);
        if (!m_diskPath.isEmpty())
            m_obsoleteFiles.push_back(m_file);
        else
            m_file->Close_();
        m_file = file;
        m_diskPath = path;
        m_checkedDocument = m_file->GetDocument();
    }
    m_diskInfo = m_writtenInfo;
}

void TStorageFileBase::DropFile_() {
    // Nothing left to keep: the file goes, but only once the parent no longer names it.
    if (!m_diskPath.isEmpty())
        m_obsoleteFiles.push_back(m_file);
    else
        m_file->Close_();
    m_file.reset();
    m_diskPath.clear();
    m_diskInfo.reset();
    m_checkedDocument = {};
    if (!FileInfo().Path().isEmpty())
        FileInfo().SetPath(QString());
}

void TStorageFileBase::HandleCriticalFailure_() {
    if (!m_file)
        return;
    TvrnDomDocument document;
    try {
        document = m_file->DetachDocument();
        m_file->Close_();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TStorageFileBase._Save"), e);
    }
    m_file.reset();
    m_checkedDocument = {};
    m_isNew = true;
    if (document.Assigned() && CanMoveFile()) {
        // The newest data survived in memory: it goes to a new file at the next attempt, since
        // the state of the old one is unknown. The old one goes once no parent names it.
        if (!m_diskPath.isEmpty())
            m_obsoleteNames.push_back(Application().StorageFileNames().GetStorageFileName(m_diskPath));
        std::shared_ptr<TXMZFile> file = Application().CreateNewXMZFile();
        file->AdoptDocument(document);
        m_file = file;
        m_diskPath.clear();
        m_diskInfo.reset();
    }
    // Otherwise the next attempt reads the file again; the changed day lists are still in memory.
}

void TStorageFileBase::DeleteObsoleteFiles_() {
    std::vector<std::shared_ptr<TXMZFile>> files = std::move(m_obsoleteFiles);
    m_obsoleteFiles.clear();
    IStorageFileNames& fileNames = Application().StorageFileNames();
    for (const auto& file : files) {
        try {
            const QString fullName = file->FileName();
            file->Delete_();
            // Nothing refers to the name any more: a later new file may take it again.
            if (!fullName.isEmpty())
                fileNames.ReleaseStorageFileName(fullName);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TStorageFileBase._Delete"), e);
        }
    }
    std::vector<QString> leftNames = std::move(m_obsoleteNames);
    m_obsoleteNames.clear();
    for (const QString& fullName : leftNames) {
        if (XMZFileSystem().Remove(QFile::encodeName(fullName)) != 0 && errno != ENOENT)
            WriteLog(QStringLiteral("TStorageFileBase._Delete: could not delete \"%1\"").arg(fullName));
        else
            fileNames.ReleaseStorageFileName(fullName);
    }
}

void TStorageFileBase::ClearCache() {
    if (m_file)
        m_file->FreeDocument_();
    m_checkedDocument = {};
}

void TStorageFileBase::Cleanup() {
    try {
        ClearCache();
        if (m_file)
            m_file->Close_();
        for (const auto& file : m_obsoleteFiles)
            file->Close_();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TStorageFileBase.Cleanup"), e);
    }
    m_file.reset();
    m_obsoleteFiles.clear();
    m_obsoleteNames.clear();
}

bool TStorageFileBase::GiveUpRangeSearch(const std::exception& e) {
    if (IgnoreMinMaxErrors())
        return true;
    const int answer = Ask(TStorageQuestion::RangeOfDates, e);
    if (answer == StorageAnswer::Ignore)
        SetIgnoreMinMaxErrors();
    if (answer == StorageAnswer::Cancel || answer == StorageAnswer::Ignore)
        return true;
    if (answer == StorageAnswer::CreateNew)
        SetAllowCreate(true);
    return false;
}
