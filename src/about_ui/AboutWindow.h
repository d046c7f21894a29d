#pragma once

// The About window: the product and its version, and four tabs: "About" (what the program is,
// where it keeps its data and its log), "Acknowledgements" (the libraries it is built on and their
// licences), "Add-Ins" (every add-in with its description) and "Modules" (the build information).
// It is not modal: it stays open beside everything else, a current window of the application
// while it is shown, and goes away when it is closed.

#include "addins/AddIn.h"
#include "ui/BaseForm.h"

#include <functional>
#include <vector>

class QPushButton;
class QTabWidget;

/// What the window shows.
struct TAboutInformation {
    /// major.minor of the program ("0.0" when unknown).
    QString version;
    /// The build information of the program's modules.
    QString buildInformation;
    /// The storage folder and the log file (empty: no log is written).
    QString storageFolder;
    QString logFile;
    /// Every add-in that could be created, switched-off ones included.
    std::vector<AddInPtr> addIns;
};

/// For each add-in: its name, ":", a line break, its description and two line breaks; an add-in
/// that fails to answer is replaced by the error (class and message).
QString AddInsAboutText(const std::vector<AddInPtr>& addIns);
/// The libraries the program is built on, each with its licence.
QString AcknowledgementsText();

class TfrmAbout : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmAbout(const TAboutInformation& information, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OKButton() const { return m_ok; }
    /// The text of a tab's page.
    QString TabText(int index) const;

private:
    QTabWidget* m_tabs;
    QPushButton* m_ok;
};

/// The "About" command: shows a new About window and returns at once. addCurrent runs when it is
/// shown, removeCurrent when it has closed (either may be empty); the window then deletes itself.
TfrmAbout* ShowAboutWindow(const TAboutInformation& information, const std::function<void(QWidget*)>& addCurrent,
                           const std::function<void(QWidget*)>& removeCurrent);
