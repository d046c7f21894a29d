#pragma once

// The two whole-file data files of the storage folder, "options.hx" and "activities.hx": loaded
// or created at start-up with the user asked what to do about a file that cannot be read, kept
// open for the whole run, and saved safely.

#include "foundation/GUID.h"
#include "foundation/VRNException.h"
#include "foundation/XMZFile.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

/// Start-up cannot go on; the box saying so has been shown and the program ends with ExitCode.
class EStartupFailure : public EVRNException {
public:
    EStartupFailure(const QString& message, int exitCode) : EVRNException(message), m_exitCode(exitCode) {}
    QString ClassName() const override { return QStringLiteral("EStartupFailure"); }
    int ExitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};

/// The options file could not be saved.
VRN_DECLARE_EXCEPTION(EOptionsSaveError, EVRNException);
/// The activities file could not be saved.
VRN_DECLARE_EXCEPTION(EActivityTreeSaveError, EVRNException);

inline const TGUID OptionsFileType = TGUID::Constant("{0901CCC3-22C0-4278-A651-D132998E8B25}");
inline const TGUID ActivitiesFileType = TGUID::Constant("{D8DC13CC-9EB0-4DC8-B1F2-9E3890D306A3}");

/// The user's texts of one data file (source texts, translated when shown; %1 is the product).
struct TDataFileTexts {
    /// The question after a failed load (Retry, Create New, Cancel, Details).
    const char* loadQuestion;
    /// The final box when a new file could not be created.
    const char* createFailed;
    /// The final box when the file could not be loaded.
    const char* loadFailed;
};

/// What the owner of the file's content does.
struct TDataFileContent {
    /// Empties the owner's object.
    std::function<void()> clear;
    /// Reads the object from the content element.
    std::function<void(const TvrnDomElement&)> load;
    /// Writes the object into the (empty) content element.
    std::function<void(const TvrnDomElement&)> save;
    /// Fills a fresh object before a new file is written (may be empty).
    std::function<void()> fillNew;
    /// Runs after an existing file was loaded (may be empty).
    std::function<void()> afterLoad;
};

/// Loads the file at path into the content, or creates it when it does not exist. A file that
/// cannot be read is asked about: Retry reads it again; Create New keeps it under another name
/// ("<name>.damaged", the user's data is never deleted) and writes a fresh file; Cancel gives up.
/// Giving up, or a failure while creating, shows the final box and raises EStartupFailure with
/// exit code 1. Returns the file, open for the rest of the run.
std::shared_ptr<TXMZFile> LoadOrCreateDataFile(const QString& path, const TGUID& fileType, const TDataFileTexts& texts,
                                               const TDataFileContent& content, const TXMZFileFactory& createFile,
                                               QWidget* owner = nullptr);

/// Writes the content into file (opening or creating it first when file is empty) and saves it.
/// compress: the compress flag to set, or unset to leave it. On failure the file object is closed
/// and dropped (the next save opens it again) and raiseError is called with the failure; it must
/// raise.
void SaveDataFile(std::shared_ptr<TXMZFile>& file, const QString& path, const TGUID& fileType,
                  const std::function<void(const TvrnDomElement&)>& save, const std::optional<bool>& compress,
                  const TXMZFileFactory& createFile, const std::function<void(const std::exception&)>& raiseError);

/// "File: \"<path>\"", a line break and the error's text: the details of the data file boxes.
QString DataFileErrorDetails(const QString& path, const std::exception& error);
