#pragma once

// The storage folder: where all data files live, for the program and for horaluxctl alike. It is read from the registry
// store value "StoragePath" under "\Software\Varnelo\Horalux" of the current user; without a usable value it is
// "Horalux" inside the user's data folder ($XDG_DATA_HOME, by default ~/.local/share), else inside the configuration
// folder, else inside the documents folder (or home). The result ends with "/" and is written back.

#include <QString>
#include <functional>
#include <memory>

class TInstanceLock;

/// Reading and writing the stored value (the registry store in the program, memory in tests).
struct TStoragePathStore {
    /// The stored value; empty when the key or value is missing.
    std::function<QString()> read;
    /// Writes the value (creating the key); may raise, failures are ignored.
    std::function<void(const QString&)> write;
};

/// The store in the registry of the current user.
TStoragePathStore RegistryStoragePathStore();

/// Determines the storage folder (see above), creating it with all missing parents when needed.
/// Raises EVRNException "THXApplication.DetermineStoragePath: no storage folder found for this pc",
/// "THXApplication.DetermineStoragePath: cannot create folder: \"<folder>\"" or
/// "THXApplication.DetermineStoragePath: invalid storage folder".
QString DetermineStoragePath(const TStoragePathStore& store);

/// The lock that keeps a single writer on a storage folder, held by the program while it runs and
/// by horaluxctl while it writes: a lock file inside the folder, so that it holds also where the
/// per-user instance check cannot (no usable runtime folder, a folder shared between sessions). A
/// lock left by a process that no longer runs is taken over. nullptr when another process holds it
/// or the lock file cannot be created.
std::unique_ptr<TInstanceLock> AcquireStorageFolderLock(const QString& folder);
