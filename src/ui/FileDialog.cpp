#include "ui/FileDialog.h"

#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/MessageBox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <deque>

namespace {

struct Answer {
    QString fileName;
    int filterIndex = 0;
};

std::deque<Answer>& Answers() {
    static std::deque<Answer> answers;
    return answers;
}

std::vector<TFileDialogRequest>& HistoryList() {
    static std::vector<TFileDialogRequest> history;
    return history;
}

/// The seam's answer, else the dialog's; an empty name means the user cancelled.
QString Ask(QWidget* owner, const TFileDialogRequest& request, int* filterIndex) {
    HistoryList().push_back(request);
    if (!Answers().empty()) {
        const Answer answer = Answers().front();
        Answers().pop_front();
        if (filterIndex)
            *filterIndex = answer.filterIndex;
        return answer.fileName;
    }
    QFileDialog dialog(owner, request.caption, request.startPath);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks before replacing a file itself, with its own message box.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.filters.isEmpty())
        dialog.setNameFilters(request.filters);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (filterIndex)
        *filterIndex = std::max(0, static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString WithDefaultExtension(const QString& fileName, const QString& defaultExtension) {
    if (fileName.isEmpty() || defaultExtension.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + u'.' + defaultExtension;
}

QString FilterExtension(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString GetOpenFileName(QWidget* owner, const TFileDialogRequest& request, int* filterIndex) {
    TFileDialogRequest open = request;
    open.save = false;
    return Ask(owner, open, filterIndex);
}

QString GetSaveFileName(QWidget* owner, const TFileDialogRequest& request, int* filterIndex) {
    TFileDialogRequest save = request;
    save.save = true;
    for (;;) {
        int filter = 0;
        const QString chosen = Ask(owner, save, &filter);
        if (filterIndex)
            *filterIndex = filter;
        QString extension = request.defaultExtension;
        if (extension.isEmpty() && filter >= 0 && filter < request.filters.size())
            extension = FilterExtension(request.filters[filter]);
        const QString fileName = WithDefaultExtension(chosen, extension);
        if (fileName.isEmpty() || !QFileInfo::exists(fileName))
            return fileName;
        const int answer = ShowMessageBox(
            owner, request.caption,
            FormatPlaceholders(Tr("%1 already exists.\\nDo you want to replace it?"), {QFileInfo(fileName).fileName()}),
            QString(), MessageBoxKind::Warning,
            MessageBoxButton::Yes | MessageBoxButton::No | MessageBoxButton::FocusSecond);
        if (answer == MessageBoxResult::Yes)
            return fileName;
        // No: back to the dialog, starting at the name the user chose.
        save.startPath = fileName;
        if (answer != MessageBoxResult::No)
            return QString();
    }
}

void TFileDialogSeam::SetNextFileName(const QString& fileName, int filterIndex) {
    Answers().push_back({fileName, filterIndex});
}

void TFileDialogSeam::ClearAnswers() {
    Answers().clear();
}

bool TFileDialogSeam::HasQueuedAnswers() {
    return !Answers().empty();
}

const std::vector<TFileDialogRequest>& TFileDialogSeam::History() {
    return HistoryList();
}

void TFileDialogSeam::ClearHistory() {
    HistoryList().clear();
}
