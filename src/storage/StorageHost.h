#pragma once

// A headless application for the storage: the storage folder, the provider registries, the
// storage file names and the root. The command-line tool, the tests and the benchmarks use it;
// the program's application controller offers the same services to the storage itself.

#include "storage/StorageInterfaces.h"

#include <functional>
#include <map>

class TStorageHost : public IStorageApplication {
public:
    /// A host for the storage folder, with the providers of the storage files and of activity
    /// entries registered.
    explicit TStorageHost(const QString& storageFolder);
    /// Releases the root (its files are closed without saving).
    ~TStorageHost() override;

    /// A second provider with the same ID raises ERegisterException and keeps the first.
    void RegisterStorageProvider(const StorageProviderPtr& provider);
    void RegisterEntryProvider(const EntryProviderPtr& provider);

    StorageProviderPtr GetStorageProvider(const TGUID& id) override;
    StorageProviderPtr GetStorageProviderFor(const PropertyListPtr& list) override;
    EntryProviderPtr GetEntryProvider(const TGUID& id) override;
    StoragePtr GetStorage() override;
    std::shared_ptr<TXMZFile> CreateNewXMZFile() override;
    IStorageFileNames& StorageFileNames() override { return m_fileNames; }
    bool IsStorageReadOnly() override { return m_readOnly; }

    /// The root wrapped for activity entries.
    TypedStoragePtr GetTypedStorage();
    /// The root's notification object (creates the root).
    TStorageNotifications& Notifications();
    /// Whether new files are compressed (the "compress" option; default true).
    void SetCompress(bool compress) { m_compress = compress; }
    /// Makes the file objects of the storage (tests put file objects that fail in here); an empty
    /// factory restores the plain ones.
    void SetFileFactory(std::function<std::shared_ptr<TXMZFile>()> factory) { m_fileFactory = std::move(factory); }
    /// Read-only hosts open files for reading only and refuse to save (set before first use).
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    const QString& Folder() const { return m_fileNames.Folder(); }
    /// Cleans and drops the root (nothing is saved).
    void ReleaseStorage();

private:
    TStorageFileNames m_fileNames;
    std::map<TGUID, StorageProviderPtr> m_storageProviders;
    std::map<TGUID, EntryProviderPtr> m_entryProviders;
    StoragePtr m_root;
    std::function<std::shared_ptr<TXMZFile>()> m_fileFactory;
    bool m_compress = true;
    bool m_readOnly = false;
};
