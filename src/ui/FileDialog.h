#pragma once

// The program's file dialogs. Open and save go through these two calls so that tests can answer
// them (TFileDialogSeam) instead of showing a dialog. Filters read "Description (*.ext *.ext2)".
// A save name without an extension receives the default extension; an existing file is only
// replaced after the user confirmed it in the program's message box.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

struct TFileDialogRequest {
    bool save = false;
    QString caption;
    /// The folder and file name the dialog starts with.
    QString startPath;
    QStringList filters;
    /// Without the dot ("csv"); empty: the extension of the chosen filter ("*.csv"), if any.
    QString defaultExtension;
};

/// The chosen file, or empty when the user cancelled. filterIndex (if given) receives the index of
/// the chosen filter.
QString GetOpenFileName(QWidget* owner, const TFileDialogRequest& request, int* filterIndex = nullptr);
/// As GetOpenFileName, for saving: adds the default extension, asks before replacing a file.
QString GetSaveFileName(QWidget* owner, const TFileDialogRequest& request, int* filterIndex = nullptr);

/// The name with the default extension added when it has none ("report" -> "report.csv").
QString WithDefaultExtension(const QString& fileName, const QString& defaultExtension);
/// The extension of a filter's first pattern: "csv" for "CSV (*.csv)"; empty for "*" or none.
QString FilterExtension(const QString& filter);

/// The test seam: queued answers are used in order, one per dialog, instead of showing it.
class TFileDialogSeam {
public:
    /// The next dialog answers fileName (empty: the user cancelled) with the given filter.
    static void SetNextFileName(const QString& fileName, int filterIndex = 0);
    static void ClearAnswers();
    static bool HasQueuedAnswers();
    /// Every dialog asked for since the last ClearHistory.
    static const std::vector<TFileDialogRequest>& History();
    static void ClearHistory();
};
