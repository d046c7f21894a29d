#pragma once

// The splash window shown while the controller loads: the product name, the version and one
// status line.

#include <QString>
#include <QWidget>

class QLabel;

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);

    /// Shows the window and lets the window system display it before loading goes on.
    void ShowAndWait();
    /// The status line; the window is repainted at once.
    void SetStatus(const QString& text);
    QString Status() const;
    QString VersionText() const;

private:
    QLabel* m_product;
    QLabel* m_version;
    QLabel* m_status;
};

/// "Version %1%2" with %1 = major.minor of the program's version and %2 empty (translated).
QString ProgramVersionText();
/// The program's major.minor version ("0.1").
QString ProgramVersionMajorMinor();
