#pragma once

// The button row at the bottom of the program's dialogs: laid out from the right in the order
// Apply, Cancel, OK, each 90 x 25 pixels, 10 pixels apart, 10 from the right edge and 9 from the
// bottom. Each button may be left out; OK is the default button unless told otherwise. Cancel
// calls the dialog's reject, the path Escape takes, so a dialog handles both in reject (a panel
// outside a dialog signals CancelClicked instead).

#include <QWidget>

class QPushButton;

class TOKCancelPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int ButtonWidth = 90;
    static constexpr int ButtonHeight = 25;

    /// All three buttons by default.
    explicit TOKCancelPanel(QWidget* parent = nullptr);

    /// Which buttons are present.
    void SetButtons(bool ok, bool cancel, bool apply);
    void SetOKDefault(bool value);

    QPushButton* OKButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* ApplyButton() const { return m_apply; }
    /// Sets the translated captions "OK", "Cancel" and "&Apply".
    void Translate();

signals:
    void OKClicked();
    void CancelClicked();
    void ApplyClicked();

private:
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_apply;
};
