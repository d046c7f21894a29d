#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

class QWidget;

/// A plain message box with a seam for tests, until the program's own message box with its
/// details area takes over. In tests the box answers itself instead of blocking:
/// - SetNextAnswer gives the answer of the next box (once);
/// - the environment variable HORALUX_TEST_AUTO_ANSWER (any non-empty value) makes every box
///   answer with its default button and describe itself on standard error as
///   "HORALUX_TEST message box: <caption> | <text> | <icon>", so that tests of the whole program
///   can check what it would have shown.
class TSimpleMessageBox {
public:
    struct Shown {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    static QMessageBox::StandardButton Show(QWidget* parent, const QString& caption, const QString& text,
                                            QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    static void SetNextAnswer(QMessageBox::StandardButton answer);
    /// The last box asked for (shown or answered by the seam).
    static std::optional<Shown> LastShown();
    static void ClearLastShown();
};

/// The name of an icon as the test description writes it ("error", "warning", ...).
QString MessageIconName(QMessageBox::Icon icon);
