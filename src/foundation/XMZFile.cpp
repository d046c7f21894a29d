#include "foundation/XMZFile.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/VRNTools.h"
#include "foundation/XMZCodec.h"
#include "foundation/XMZFileSystem.h"
#include "foundation/XMZStream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {
const QString RootName = QStringLiteral("xmzdocument");
const QString HeaderName = QStringLiteral("header");
const QString ContentName = QStringLiteral("content");

EXMZStreamError RenameError(const QString& from, const QString& to, int errorCode) {
    return EXMZStreamError(QStringLiteral("Cannot rename file \"%1\" to \"%2\". %3")
                               .arg(from, to, QString::fromLocal8Bit(std::strerror(errorCode))),
                           errorCode);
}

/// The header and content children of an envelope's root; the last of each name counts, names
/// compared without regard to case.
bool FindEnvelope(const TvrnDomDocument& document, TvrnDomElement& header, TvrnDomElement& content) {
    const TvrnDomElement root = XMLDocumentElement(document);
    if (!root.Assigned() || XMLNodeName(root) != RootName)
        return false;
    header = TvrnDomElement();
    content = TvrnDomElement();
    for (TvrnDomElement child = XMLFirstChildElement(root); child.Assigned(); child = XMLNextSiblingElement(child)) {
        const QString name = XMLNodeName(child);
        if (name.compare(HeaderName, Qt::CaseInsensitive) == 0)
            header = child;
        else if (name.compare(ContentName, Qt::CaseInsensitive) == 0)
            content = child;
    }
    return header.Assigned() && content.Assigned();
}

int HeaderInt(const TvrnDomElement& header, const QString& name, int defaultValue) {
    return WideStrToIntDef(XMLGetValue(header, name), defaultValue);
}

TvrnDomDocument NewEnvelope() {
    TvrnDomDocument document = XMLCreateDocument(RootName);
    const TvrnDomElement root = XMLDocumentElement(document);
    XMLAddChild(root, HeaderName);
    XMLAddChild(root, ContentName);
    return document;
}
} // namespace

void SyncParentFolder(const QString& fileName) {
    const QString folder = QFileInfo(fileName).absolutePath();
    const QByteArray encoded = QFile::encodeName(folder);
    IXMZFileSystem& fs = XMZFileSystem();
    const int fd = fs.Open(encoded, O_RDONLY | O_DIRECTORY, 0);
    if (fd < 0)
        throw EXMZStreamError(
            QStringLiteral("Cannot open folder \"%1\". %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno))),
            errno);
    const int synced = fs.Sync(fd);
    const int error = errno;
    fs.Close(fd);
    // Some file systems cannot sync a folder and say so with EINVAL; their renames are as durable
    // as they get.
    if (synced != 0 && error != EINVAL)
        throw EXMZStreamError(
            QStringLiteral("Cannot sync folder \"%1\". %2").arg(folder, QString::fromLocal8Bit(std::strerror(error))),
            error);
}

TXMZFile::TXMZFile(int minVersion, int minEdition) : m_minVersion(minVersion), m_minEdition(minEdition) {}

TXMZFile::~TXMZFile() {
    Close_();
}

TXMZStream* TXMZFile::ReadStreamPtr() const {
    switch (m_readSource) {
    case ReadSource::File:
        return m_fileStream.get();
    case ReadSource::Temp:
        return m_tempStream.get();
    case ReadSource::None:
        break;
    }
    return nullptr;
}

void TXMZFile::KeepDocument(const TvrnDomDocument& document, const TvrnDomElement& header,
                            const TvrnDomElement& content) {
    m_document = document;
    m_header = header;
    m_content = content;
}

void TXMZFile::ForgetDocument() {
    m_header = TvrnDomElement();
    m_content = TvrnDomElement();
    m_document = TvrnDomDocument();
    m_deflateCache.Clear();
}

void TXMZFile::CreateEmptyDocument() {
    const TvrnDomDocument document = NewEnvelope();
    TvrnDomElement header;
    TvrnDomElement content;
    FindEnvelope(document, header, content);
    KeepDocument(document, header, content);
}

void TXMZFile::EnsureDocument() {
    if (!HasDocument() && ReadStreamPtr())
        ReadStream();
    if (!HasDocument())
        CreateEmptyDocument();
}

void TXMZFile::ReadStream() {
    ForgetDocument();
    try {
        TXMZStream* stream = ReadStreamPtr();
        if (!stream)
            throw EMustNotHappen(QStringLiteral("TXMZFile.ReadStream: no stream to read"));
        const TvrnDomDocument document = XMLLoadFromBytes(XMZDecodeBytes(stream->ReadAll(), m_decodeLimits));
        TvrnDomElement header;
        TvrnDomElement content;
        if (!FindEnvelope(document, header, content))
            throw EXMZInvalidData(QStringLiteral("Document is not a valid XMZ file."));
        if (HeaderInt(header, QStringLiteral("xmzversion"), 1) > XMZEnvelopeVersion ||
            HeaderInt(header, QStringLiteral("minversion"), 1) > XMZReaderDataVersion)
            throw EXMZVersionError(QStringLiteral("A newer version is required to read this file."));
        if (HeaderInt(header, QStringLiteral("minedition"), 0) > XMZReaderEdition)
            throw EXMZEditionError(QStringLiteral("A higher edition is required to read this file."));
        const QString typeText = XMLGetValue(header, QStringLiteral("filetype"));
        if (!typeText.isEmpty()) {
            TGUID found;
            try {
                found = WideStringToGUID(typeText);
            } catch (const EVRNConvertError& e) {
                // An unreadable type says nothing about the content; treat it as "any".
                LogException(QStringLiteral("TXMZFile.ReadStream: unreadable filetype"), e);
            }
            if (!found.IsNull()) {
                if (m_fileType.IsNull())
                    m_fileType = found;
                else if (!(found == m_fileType))
                    throw EXMZFileTypeError(QStringLiteral("Wrong file type, expected '") + m_fileType.ToString() +
                                            QStringLiteral("' but is '") + found.ToString() + QStringLiteral("'"));
            }
        }
        KeepDocument(document, header, content);
    } catch (const EXMZInvalidData&) {
        ForgetDocument();
        throw;
    } catch (const std::exception& e) {
        ForgetDocument();
        throw EXMZFailure(QStringLiteral("ReadStream failed: ") + ExceptionToTextSuffix(e));
    }
}

void TXMZFile::AssignFile_(const QString& fileName, bool readOnly, const TGUID& fileType) {
    if (IsAssigned())
        throw EXMZInvalidOperation(QStringLiteral("TXMZFile._AssignFile: There is already a file assigned"));
    try {
        m_fileStream = std::make_unique<TXMZStream>(fileName, readOnly ? TXMZAccess::Read : TXMZAccess::ReadWrite,
                                                    TXMZCreation::OpenExisting);
    } catch (const std::exception& e) {
        throw EXMZFailure(QStringLiteral("TXMZFile._AssignFile:") + ExceptionToTextSuffix(e));
    }
    m_fileName = fileName;
    m_fileType = fileType;
    m_readOnly = readOnly;
    m_documentUnsaved = false;
    m_readSource = ReadSource::File;
    ReadStream();
}

void TXMZFile::AssignNewFile_(const QString& fileName, const TGUID& fileType) {
    if (IsAssigned())
        throw EXMZInvalidOperation(QStringLiteral("TXMZFile._AssignNewFile: There is already a file assigned"));
    if (!ForcePrivateDirectories(QFileInfo(fileName).absolutePath()))
        throw EXMZFailureCreateFile(QStringLiteral("TXMZFile._AssignNewFile: WideForceDirectories on \"") + fileName +
                                    QStringLiteral("\" failed"));
    std::unique_ptr<TXMZStream> stream;
    const TvrnDomDocument fresh = NewEnvelope();
    try {
        stream = std::make_unique<TXMZStream>(fileName, TXMZAccess::ReadWrite, TXMZCreation::CreateNew);
        // The first version of the file holds an empty envelope; the header is filled at the first
        // save. It is on disk, name included, before the file counts as created.
        stream->Rewrite(EncodeDocument(fresh));
        SyncParentFolder(fileName);
    } catch (const EXMZFailure&) {
        throw;
    } catch (const std::exception& e) {
        if (stream) {
            // A file that was created but not completely written would be an unreadable data file
            // that blocks every later attempt: take it away again.
            stream.reset();
            XMZFileSystem().Remove(QFile::encodeName(fileName));
        }
        throw EXMZFailureCritical(QStringLiteral("TXMZFile._AssignNewFile") + ExceptionToTextSuffix(e));
    }
    if (!HasDocument()) {
        TvrnDomElement header;
        TvrnDomElement content;
        FindEnvelope(fresh, header, content);
        KeepDocument(fresh, header, content);
    }
    m_fileStream = std::move(stream);
    m_readSource = ReadSource::None; // the document is in memory
    m_fileName = fileName;
    m_fileType = fileType;
    m_readOnly = false;
}

void TXMZFile::UpdateHeader() {
    try {
        XMLSetValue(m_header, QStringLiteral("xmzversion"), IntToWideStr(XMZEnvelopeVersion), xsoAttribute);
        if (XMLGetValue(m_header, QStringLiteral("filename")).isEmpty())
            XMLSetValue(m_header, QStringLiteral("filename"), QFileInfo(m_fileName).fileName());
        TGUID fileGuid;
        try {
            fileGuid = WideStringToGUID(XMLGetValue(m_header, QStringLiteral("fileguid")));
        } catch (const EVRNConvertError&) {
            // missing or unreadable: the file gets a new identity below
        }
        if (fileGuid.IsNull())
            XMLSetValue(m_header, QStringLiteral("fileguid"), GUIDToWideString(TGUID::NewGuid()));
        std::int64_t stamp = 0;
        try {
            stamp = WideStrToInt64(XMLGetValue(m_header, QStringLiteral("stamp")));
        } catch (const EVRNConvertError&) {
            stamp = 0;
        }
        XMLSetValue(m_header, QStringLiteral("stamp"), Int64ToWideStr(stamp + 1));
        XMLSetValue(m_header, QStringLiteral("timestamp"), DateTimeToISO(NowDateTime()));
        XMLSetValue(m_header, QStringLiteral("minversion"), IntToWideStr(m_minVersion));
        XMLSetValue(m_header, QStringLiteral("minedition"), IntToWideStr(m_minEdition));
        if (!m_fileType.IsNull())
            XMLSetValue(m_header, QStringLiteral("filetype"), GUIDToWideString(m_fileType));
    } catch (const std::exception& e) {
        WriteLog(QStringLiteral("TXMZFile.UpdateHeader: error updating header ") + ExceptionToText(e));
    }
}

QByteArray TXMZFile::EncodeDocument(const TvrnDomDocument& document) {
    const QByteArray plain = XMLSaveToBytes(document, QStringLiteral("UTF-16"));
    if (!m_compress)
        return plain;
    // The header changes at every save; the content is compressed apart from it, so that the
    // pieces of the content that did not change can be taken over from the last save.
    static const QByteArray contentStart = [] {
        const QString tag = QStringLiteral("<content");
        return QByteArray(reinterpret_cast<const char*>(tag.utf16()), tag.size() * 2);
    }();
    return QByteArray(XMZCompressedMarker, 2) + m_deflateCache.Deflate(plain, plain.indexOf(contentStart));
}

void TXMZFile::DropTempFile(bool removeFromDisk) {
    if (m_tempStream) {
        const bool ours = m_tempStream->IsStillNamed();
        const QByteArray name = QFile::encodeName(m_tempStream->FileName());
        m_tempStream.reset();
        if (removeFromDisk && ours)
            XMZFileSystem().Remove(name);
    }
    m_tempFileName.clear();
    if (m_readSource == ReadSource::Temp)
        m_readSource = m_fileStream ? ReadSource::File : ReadSource::None;
}

void TXMZFile::Save_() {
    if (!IsAssigned())
        throw EXMZInvalidOperation(QStringLiteral("TXMZFile._Save: There is no file assigned"));
    if (m_readOnly)
        throw EXMZInvalidOperation(QStringLiteral("TXMZFile._Save: The file is open for reading only"));
    if (!HasDocument())
        return;
    UpdateHeader();
    QByteArray bytes;
    try {
        bytes = EncodeDocument(m_document);
        // A temporary file that somebody removed or replaced would swallow the data: start a new one.
        if (m_tempStream && !m_tempStream->IsStillNamed())
            DropTempFile(false);
        if (!m_tempStream) {
            const QString tempName = MakeUniqueFileName(m_fileName, QStringLiteral("_"), QStringLiteral("TMP"));
            m_tempStream = std::make_unique<TXMZStream>(tempName, TXMZAccess::ReadWrite, TXMZCreation::CreateNew);
            if (m_fileStream)
                m_tempStream->CopyPermissionsFrom(*m_fileStream);
        }
    } catch (const std::exception& e) {
        m_documentUnsaved = true;
        throw EXMZFailure(QStringLiteral("TXMZFile._Save: ") + ExceptionToTextSuffix(e));
    }
    try {
        m_tempStream->Rewrite(bytes);
    } catch (const std::exception& e) {
        // The main file is untouched; the newest data is only in memory now.
        DropTempFile(true);
        m_documentUnsaved = true;
        throw EXMZFailure(QStringLiteral("TXMZFile._Save: ") + ExceptionToTextSuffix(e));
    }
    m_tempFileName = m_tempStream->FileName();
    m_readSource = ReadSource::Temp;
    m_documentUnsaved = false;
}

void TXMZFile::Flush_() {
    if (!IsAssigned())
        throw EXMZInvalidOperation(QStringLiteral("TXMZFile._Flush: There is no file assigned"));
    if (m_tempFileName.isEmpty())
        return;
    try {
        // Never publish a file that is no longer ours under the temporary name.
        if (!m_tempStream || !m_tempStream->IsStillNamed())
            throw EXMZStreamError(QStringLiteral("The temporary file \"%1\" has disappeared").arg(m_tempFileName),
                                  ENOENT);
        if (XMZFileSystem().Rename(QFile::encodeName(m_tempFileName), QFile::encodeName(m_fileName)) != 0)
            throw RenameError(m_tempFileName, m_fileName, errno);
    } catch (const std::exception& e) {
        RecoverFromFailedReplace(e);
    }
    // The temporary file is the main file now. Its stream carries on as the file stream, so the
    // write lock is never released; the replaced file is closed (it has no name any more, so an
    // error in closing it concerns nothing that is kept).
    m_tempStream->SetFileName(m_fileName);
    if (m_fileStream) {
        try {
            m_fileStream->Close();
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TXMZFile._Flush: closing the replaced file"), e);
        }
    }
    m_fileStream = std::move(m_tempStream);
    m_tempFileName.clear();
    m_readSource = ReadSource::File;
    try {
        SyncParentFolder(m_fileName);
    } catch (const std::exception& e) {
        // The main file holds the new data, but the rename may not have reached the disk yet.
        throw EXMZFailure(QStringLiteral("TXMZFile._Flush: ") + ExceptionToTextSuffix(e));
    }
}

void TXMZFile::RecoverFromFailedReplace(const std::exception& error) {
    const QString suffix = ExceptionToTextSuffix(error);
    try {
        // The main file was never closed: it is still open as the file stream, unchanged.
        if (m_tempStream && m_tempStream->IsStillNamed())
            throw EXMZFailure(QStringLiteral("TXMZFile._Flush: ") + suffix); // safe in the temporary file
        // The temporary file is gone. Its data can still be read through the open handle: take it
        // into memory if memory does not hold the document, so it is not lost with the handle.
        if (!HasDocument() && m_tempStream && m_readSource == ReadSource::Temp) {
            try {
                ReadStream();
            } catch (const std::exception& e) {
                LogException(QStringLiteral("TXMZFile._Flush: rescuing the vanished temporary file"), e);
            }
        }
        DropTempFile(false);
        if (HasDocument()) {
            m_documentUnsaved = true;
            throw EXMZFailureSaveAgain(QStringLiteral("TXMZFile._Flush: ") + suffix);
        }
        throw EXMZFailureCritical(QStringLiteral("TXMZFile._Flush: ") + suffix);
    } catch (const EXMZFailure&) {
        throw;
    } catch (const std::exception& e) {
        throw EXMZFailureCritical(QStringLiteral("TXMZFile._Flush: ") + ExceptionToTextSuffix(e));
    }
}

void TXMZFile::Save() {
    Save_();
    Flush_();
}

void TXMZFile::Delete_() {
    if (!IsAssigned())
        return;
    if (m_readOnly)
        throw EXMZInvalidOperation(QStringLiteral("TXMZFile._Delete: The file is open for reading only"));
    // The open handle keeps the file readable even if removing its name fails, so there is nothing
    // to reopen afterwards.
    if (XMZFileSystem().Remove(QFile::encodeName(m_fileName)) != 0 && errno != ENOENT) {
        const QString message = QStringLiteral("Could not delete file '") + m_fileName + QStringLiteral("'");
        if (HasDocument() || ReadStreamPtr())
            throw EXMZFailure(message);
        throw EXMZFailureCritical(message);
    }
    const QString deleted = m_fileName;
    m_fileStream.reset();
    DropTempFile(true);
    m_fileName.clear();
    m_readSource = ReadSource::None;
    m_readOnly = false;
    try {
        SyncParentFolder(deleted);
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TXMZFile._Delete"), e);
    }
}

TvrnDomElement TXMZFile::GetContent() {
    EnsureDocument();
    return m_content;
}

TvrnDomElement TXMZFile::GetHeader() {
    EnsureDocument();
    return m_header;
}

TvrnDomDocument TXMZFile::GetDocument() {
    EnsureDocument();
    return m_document;
}

TGUID TXMZFile::GetFileType() {
    EnsureDocument();
    return m_fileType;
}

void TXMZFile::FreeDocument_() {
    if (!HasDocument() || !ReadStreamPtr())
        return;
    if (m_readSource == ReadSource::Temp && !m_tempStream->IsStillNamed()) {
        // The newest saved data would only be reachable through a file that no longer exists.
        DropTempFile(false);
        m_documentUnsaved = true;
    }
    if (m_documentUnsaved) {
        WriteLog(QStringLiteral("TXMZFile._FreeDocument: the document of \"") + m_fileName +
                 QStringLiteral("\" is kept, its newest data is not in a file"));
        return;
    }
    ForgetDocument();
}

void TXMZFile::Close_() {
    if (m_documentUnsaved && HasDocument())
        WriteLog(QStringLiteral("TXMZFile._Close: unsaved data of \"") + m_fileName + QStringLiteral("\" dropped"));
    m_readSource = ReadSource::None;
    m_fileName.clear();
    m_tempFileName.clear();
    m_fileStream.reset();
    m_tempStream.reset();
    ForgetDocument();
    m_readOnly = false;
    m_documentUnsaved = false;
}

void TXMZFile::ClearContent_() {
    if (!HasDocument())
        CreateEmptyDocument();
    else
        XMLRemoveAllChildren(m_content);
}

TvrnDomDocument TXMZFile::DetachDocument() {
    TvrnDomDocument document = m_document;
    ForgetDocument();
    m_documentUnsaved = false;
    return document;
}

void TXMZFile::AdoptDocument(const TvrnDomDocument& document) {
    TvrnDomElement header;
    TvrnDomElement content;
    if (!document.Assigned() || !FindEnvelope(document, header, content))
        throw EXMZInvalidData(QStringLiteral("Document is not a valid XMZ file."));
    KeepDocument(document, header, content);
    m_documentUnsaved = true;
}

std::shared_ptr<TXMZFile> OpenOrCreateXMZFile(const TXMZFileFactory& createFile, const QString& fileName,
                                              const TGUID& fileType) {
    std::shared_ptr<TXMZFile> file = createFile();
    if (!QFileInfo::exists(fileName)) {
        file->AssignNewFile_(fileName, fileType);
        return file;
    }
    try {
        file->AssignFile_(fileName, false, fileType);
        file->ClearContent_();
        return file;
    } catch (const std::exception& e) {
        // Not opened at all (another writer holds it, no permission): leave the file alone.
        if (!file->IsAssigned())
            throw;
        file->Close_();
        // Opened but unreadable: keep it for the user under another name and start afresh.
        const QString aside = MakeUniqueFileName(fileName, QStringLiteral("_"), QStringLiteral("damaged"));
        if (XMZFileSystem().Rename(QFile::encodeName(fileName), QFile::encodeName(aside)) != 0)
            throw RenameError(fileName, aside, errno);
        WriteLog(QStringLiteral("OpenOrCreateXMZFile: \"") + fileName + QStringLiteral("\" could not be read (") +
                 ExceptionToText(e) + QStringLiteral("); it was renamed to \"") + aside +
                 QStringLiteral("\" and a new file was created"));
    }
    file = createFile();
    file->AssignNewFile_(fileName, fileType);
    return file;
}
