#pragma once

#include "foundation/GUID.h"
#include "foundation/XMLHelper.h"
#include "foundation/XMZCodec.h"
#include "foundation/XMZDeflateCache.h"
#include "foundation/XMZErrors.h"

#include <QString>
#include <functional>
#include <memory>

class TXMZStream;

inline const TGUID IID_IHXXMZFile_ = TGUID::Constant("{4A534831-3844-48D3-94A0-5F4112554083}");

/// A data file: an XML document with a header describing the file and a content element that
/// belongs to the file's owner, kept open while the program works with it and saved safely.
class IHXXMZFile_ {
public:
    IHXXMZFile_() = default;
    virtual ~IHXXMZFile_() = default;
    IHXXMZFile_(const IHXXMZFile_&) = delete;
    IHXXMZFile_& operator=(const IHXXMZFile_&) = delete;

    /// Opens an existing file and reads it.
    virtual void AssignFile_(const QString& fileName, bool readOnly, const TGUID& fileType) = 0;
    /// Creates a new file holding an empty envelope.
    virtual void AssignNewFile_(const QString& fileName, const TGUID& fileType) = 0;
    /// Writes the document into the temporary file.
    virtual void Save_() = 0;
    /// Replaces the main file by the temporary file.
    virtual void Flush_() = 0;
    /// Save_, then Flush_.
    virtual void Save() = 0;
    /// Deletes the file and the temporary file and unassigns.
    virtual void Delete_() = 0;
    /// The content element (reads or creates the document first if needed).
    virtual TvrnDomElement GetContent() = 0;
    /// Drops the parsed document but keeps the file assigned and open.
    virtual void FreeDocument_() = 0;
    /// Closes everything and unassigns, without saving.
    virtual void Close_() = 0;
    /// Removes all children of the content element.
    virtual void ClearContent_() = 0;
    virtual bool GetCompress() const = 0;
    virtual void SetCompress(bool compress) = 0;
    /// The file type (reads or creates the document first if needed).
    virtual TGUID GetFileType() = 0;
};

/// The envelope version this program writes and reads, its data version and its edition.
constexpr int XMZEnvelopeVersion = 1;
constexpr int XMZReaderDataVersion = 1;
constexpr int XMZReaderEdition = 0;

/// The one class that writes data files. Saving goes through a temporary file next to the main
/// file ("<name>.TMP", or "<name>_1.TMP" ... if taken): Save_ writes the whole document into it
/// and returns only once it is on disk; Flush_ renames it over the main file and syncs the folder.
/// A crash at any moment therefore leaves the main file holding either the old or the new
/// document, never a mixture.
///
/// What survives a failure, and how the class of the error says it:
/// - EXMZFailure from Save_: the main file is untouched; the newest data is only in the held
///   document, which is then never freed (FreeDocument_ keeps it) until a save succeeds.
/// - EXMZFailure from Flush_: the new data is safe in the temporary file (a later Flush_ retries),
///   or in memory when the message says so.
/// - EXMZFailureSaveAgain: the temporary file is gone, the new data is only in memory: save again.
/// - EXMZFailureCritical: neither a temporary file nor a document holds the new data.
///
/// While a file is assigned, the main file (or after a flush, the file that replaced it) stays open
/// with the advisory write lock, so other processes can read it but not take it over for writing.
class TXMZFile : public IHXXMZFile_ {
public:
    /// A file object that writes the given minimum data version and edition into the header.
    TXMZFile(int minVersion = 0, int minEdition = 0);
    /// Closes (without saving).
    ~TXMZFile() override;

    void AssignFile_(const QString& fileName, bool readOnly, const TGUID& fileType) override;
    void AssignNewFile_(const QString& fileName, const TGUID& fileType) override;
    void Save_() override;
    void Flush_() override;
    void Save() override;
    void Delete_() override;
    TvrnDomElement GetContent() override;
    void FreeDocument_() override;
    void Close_() override;
    void ClearContent_() override;
    bool GetCompress() const override { return m_compress; }
    void SetCompress(bool compress) override { m_compress = compress; }
    TGUID GetFileType() override;

    // Queries used by owners, tools and tests.
    bool IsAssigned() const { return !m_fileName.isEmpty(); }
    const QString& FileName() const { return m_fileName; }
    /// How far reading decodes a file before it refuses it (the defaults suit every data file;
    /// files from elsewhere, such as imported ones, are read with tighter limits).
    void SetDecodeLimits(const TXMZDecodeLimits& limits) { m_decodeLimits = limits; }
    /// The pending temporary file (empty when the main file holds the newest saved data).
    const QString& TempFileName() const { return m_tempFileName; }
    bool HasDocument() const { return m_document.Assigned(); }
    /// True while the held document holds data that no file holds (the last save failed).
    bool HasUnsavedDocument() const { return m_documentUnsaved; }
    /// The header element (reads or creates the document first if needed).
    TvrnDomElement GetHeader();
    /// The whole document (reads or creates it first if needed).
    TvrnDomDocument GetDocument();

    /// Hands the held document over to the caller and forgets it (nothing is read). An owner that
    /// must drop this object after a critical failure takes the document along and gives it to a
    /// fresh file object with AdoptDocument, so the newest data is never lost with the object.
    TvrnDomDocument DetachDocument();
    /// Takes a document as the held one (replacing any held document). Raises EXMZInvalidData if it
    /// is not an envelope. AssignNewFile_ keeps an adopted document, so the next save writes it.
    void AdoptDocument(const TvrnDomDocument& document);

private:
    enum class ReadSource { None, File, Temp };

    TXMZStream* ReadStreamPtr() const;
    void ReadStream();
    void EnsureDocument();
    void CreateEmptyDocument();
    void KeepDocument(const TvrnDomDocument& document, const TvrnDomElement& header, const TvrnDomElement& content);
    void ForgetDocument();
    void UpdateHeader();
    QByteArray EncodeDocument(const TvrnDomDocument& document);
    void DropTempFile(bool removeFromDisk);
    [[noreturn]] void RecoverFromFailedReplace(const std::exception& error);

    QString m_fileName;
    QString m_tempFileName;
    std::unique_ptr<TXMZStream> m_fileStream;
    std::unique_ptr<TXMZStream> m_tempStream;
    ReadSource m_readSource = ReadSource::None;
    TvrnDomDocument m_document;
    TvrnDomElement m_header;
    TvrnDomElement m_content;
    int m_minVersion;
    int m_minEdition;
    bool m_compress = true;
    bool m_readOnly = false;
    bool m_documentUnsaved = false;
    TGUID m_fileType;
    TXMZDecodeLimits m_decodeLimits;
    /// The compressed pieces of the last save, so that the next save compresses only what changed.
    TXMZDeflateCache m_deflateCache;
};

/// Creates a file object (used by OpenOrCreateXMZFile; the tools object supplies one that takes
/// the user's compression option into account).
using TXMZFileFactory = std::function<std::shared_ptr<TXMZFile>()>;

/// A file object for whole-file data (options, activities), ready to receive new content: an
/// existing readable file is opened for writing and its content cleared (its header, with the
/// file's identity and save counter, is kept); a missing file is created. An existing file that
/// cannot be read as a data file (damaged, another file type, written by a newer program) is not
/// deleted: it is renamed aside to "<name>.damaged" (or "<name>_1.damaged" ...), which is logged,
/// and a new file takes its place. A file that cannot be opened at all (held by another writer, no
/// permission) raises that error and nothing is changed. The owner then fills the content and
/// calls Save.
std::shared_ptr<TXMZFile> OpenOrCreateXMZFile(const TXMZFileFactory& createFile, const QString& fileName,
                                              const TGUID& fileType);

/// Syncs the folder that holds fileName, so that a rename or a new name in it is on disk. Raises
/// EXMZStreamError.
void SyncParentFolder(const QString& fileName);
