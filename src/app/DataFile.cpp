#include "app/DataFile.h"

#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");

void CloseQuietly(std::shared_ptr<TXMZFile>& file) {
    if (!file)
        return;
    try {
        file->Close_();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("THXApplication: closing \"") + file->FileName() + u'"', e);
    }
    file.reset();
}

/// Keeps an unreadable file for the user under a new name instead of deleting it.
void MoveDamagedFileAside(const QString& path) {
    const QString aside = MakeUniqueFileName(path, QStringLiteral("_"), QStringLiteral("damaged"));
    QFile file(path);
    if (!file.rename(aside))
        throw EVRNException(QStringLiteral("Cannot rename \"") + path + QStringLiteral("\" to \"") + aside +
                            QStringLiteral("\": ") + file.errorString());
    WriteLog(QStringLiteral("THXApplication: \"") + path +
             QStringLiteral("\" could not be read; it was renamed to \"") + aside + u'"');
}

} // namespace

QString DataFileErrorDetails(const QString& path, const std::exception& error) {
    return QStringLiteral("File: \"") + path + QStringLiteral("\"\n") + ExceptionToText(error);
}

std::shared_ptr<TXMZFile> LoadOrCreateDataFile(const QString& path, const TGUID& fileType, const TDataFileTexts& texts,
                                               const TDataFileContent& content, const TXMZFileFactory& createFile,
                                               QWidget* owner) {
    std::shared_ptr<TXMZFile> file;
    bool creating = false;
    try {
        bool loaded = false;
        if (QFileInfo::exists(path)) {
            for (;;) {
                try {
                    content.clear();
                    CloseQuietly(file);
                    file = createFile();
                    file->AssignFile_(path, false, fileType);
                    content.load(file->GetContent());
                    loaded = true;
                    break;
                } catch (const std::exception& e) {
                    const QString details = DataFileErrorDetails(path, e);
                    LogException(QStringLiteral("THXApplication: loading \"") + path + u'"', e);
                    CloseQuietly(file);
                    content.clear();
                    const int answer =
                        ShowMessageBox(owner, kProduct, FormatPlaceholders(Tr(texts.loadQuestion), {kProduct}), details,
                                       MessageBoxKind::Error,
                                       MessageBoxButton::Retry | MessageBoxButton::CreateNew |
                                           MessageBoxButton::Cancel | MessageBoxButton::Details);
                    if (answer == MessageBoxResult::Retry)
                        continue;
                    if (answer == MessageBoxResult::CreateNew) {
                        MoveDamagedFileAside(path);
                        break;
                    }
                    throw EUserCancel(QStringLiteral("THXApplication: loading \"") + path +
                                      QStringLiteral("\" cancelled"));
                }
            }
        }
        if (!loaded) {
            creating = true;
            file = createFile();
            file->AssignNewFile_(path, fileType);
            content.clear();
            if (content.fillNew)
                content.fillNew();
            content.save(file->GetContent());
            file->Save();
        } else if (content.afterLoad) {
            content.afterLoad();
        }
        return file;
    } catch (const std::exception& e) {
        CloseQuietly(file);
        LogException(QStringLiteral("THXApplication: \"") + path + u'"', e);
        const QString text = FormatPlaceholders(Tr(creating ? texts.createFailed : texts.loadFailed), {kProduct});
        ShowMessageBox(owner, kProduct, text, DataFileErrorDetails(path, e), MessageBoxKind::Error,
                       MessageBoxButton::OK | MessageBoxButton::Details);
        throw EStartupFailure(text, 1);
    }
}

void SaveDataFile(std::shared_ptr<TXMZFile>& file, const QString& path, const TGUID& fileType,
                  const std::function<void(const TvrnDomElement&)>& save, const std::optional<bool>& compress,
                  const TXMZFileFactory& createFile, const std::function<void(const std::exception&)>& raiseError) {
    try {
        if (!file || !file->IsAssigned())
            file = OpenOrCreateXMZFile(createFile, path, fileType);
        file->ClearContent_();
        if (compress)
            file->SetCompress(*compress);
        save(file->GetContent());
        file->Save();
    } catch (const std::exception& e) {
        // The object in memory still holds the data: the next save opens the file again and
        // writes all of it.
        CloseQuietly(file);
        raiseError(e);
        throw; // raiseError must raise; never report a failed save as done
    }
}
