#pragma once

// The base of the program's value edits: a single-line edit with up and down buttons.
//
// Stepping comes from three places, each with its own step size:
// - a held up or down button steps by Increment1 for the first two seconds it is held, by
//   Increment2 up to five seconds and by Increment3 after that (so long ranges pass quickly);
// - the Up and Down keys (without Ctrl) and the mouse wheel step by the key step;
// - Page Up and Page Down step by Increment3.
// Ctrl+Up and Ctrl+Down are not handled here: the parent gets them (the worksheet grid moves
// between cells with them).
//
// The derived edits decide what a step means (Step), which text is valid (TextValid) and which
// typed characters they take (AcceptsCharacter). While the text is not valid it is shown bold and
// red. When the regional settings change, a valid text is shown again in the new form.

#include "foundation/International.h"

#include <QAbstractSpinBox>
#include <QDateTime>
#include <QString>

class TVRNCustomSpinEdit : public QAbstractSpinBox, public IvrnFormatSettingsNotify {
    Q_OBJECT
public:
    explicit TVRNCustomSpinEdit(QWidget* parent = nullptr);
    ~TVRNCustomSpinEdit() override;

    int Increment1() const { return m_increments[0]; }
    int Increment2() const { return m_increments[1]; }
    int Increment3() const { return m_increments[2]; }
    void SetIncrement1(int value) { m_increments[0] = value; }
    void SetIncrement2(int value) { m_increments[1] = value; }
    void SetIncrement3(int value) { m_increments[2] = value; }
    int KeyStep() const { return m_keyStep; }
    void SetKeyStep(int value) { m_keyStep = value; }

    /// The step size of a button that has been held for heldMSecs: Increment1 up to 2000 ms,
    /// Increment2 up to 5000 ms, Increment3 after that.
    int HeldIncrement(qint64 heldMSecs) const;
    /// The step size of the last held-button step; 1 when no button is held.
    int CurrentStep() const { return m_currentStep; }
    bool ButtonHeld() const { return m_buttonHeld; }

    QString Text() const;
    /// Whether the text is shown as invalid (bold and red).
    bool MarkedInvalid() const { return m_markedInvalid; }

    /// Steps the value by a signed amount in the edit's own unit. Nothing at this level.
    virtual void Step(int amount);

    void stepBy(int steps) override;
    /// Shows a valid text again in the form of the new regional settings; an invalid text stays as
    /// typed and is checked again.
    void FormatSettingsChanged() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// The user changed the text: typed, pasted, cleared or stepped. Not raised when the program
    /// sets a value or the edit rewrites its own text.
    void Changed();
    /// Raised after the font of the edit changed.
    void FontChanged();

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

    /// Whether the current text stands for a valid value.
    virtual bool TextValid() const { return true; }
    /// Whether a typed printable character is taken; refused characters are swallowed.
    virtual bool AcceptsCharacter(QChar) const { return true; }
    /// The widest text the edit shows; the size hint leaves room for it.
    virtual QString WidestText() const { return QStringLiteral("0000"); }
    /// Called after the user changed the text, before Changed is raised. The default shows the
    /// validity of the text.
    virtual void TextEdited();
    /// Writes the text of the current value again (after the regional settings changed).
    virtual void ShowValueAgain() {}

    /// Writes the edit's own text: no change handling, normal font.
    void SetOwnText(const QString& text);
    /// Writes a text as if the user had typed it (a step): change handling and Changed follow
    /// when the text differs.
    void SetTextAsTyped(const QString& text);
    bool SettingText() const { return m_settingText > 0; }
    /// Normal font for a valid text; bold and red otherwise.
    void ShowValidity(bool valid);

private:
    void OnTextChanged();
    qint64 HeldMSecs() const;

    int m_increments[3] = {1, 1, 1};
    int m_keyStep = 1;
    QDateTime m_pressedAt;
    bool m_buttonHeld = false;
    int m_currentStep = 1;
    int m_settingText = 0;
    bool m_markedInvalid = false;
};
