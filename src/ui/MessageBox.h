#pragma once

// The program's message box: every question and error goes through ShowMessageBox. It has a
// fixed set of buttons chosen by bits, an icon by kind, and a details area that the Details
// button shows and hides.
//
// Test seam: TMessageBoxSeam answers boxes instead of showing them. Tests queue answers with
// SetNextAnswer. With SetAutoAnswer on, a box with no queued answer answers as if it had been
// closed (the Escape answer, else Cancel), which ends every retry loop, and every answered box
// is described on standard error ("HORALUX_TEST message box: caption | text | icon -> answer").
// Only the test build of the program switches that on (from its environment); the program
// itself never answers a box on its own.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

/// Kinds: icon and sound of the box.
namespace MessageBoxKind {
constexpr int None = 0;
constexpr int Warning = 1;
constexpr int Information = 2;
constexpr int Information2 = 3;
constexpr int Question = 4;
constexpr int Error = 5;
constexpr int Error2 = 6;
constexpr int Error3 = 7;
constexpr int Warning2 = 8;
} // namespace MessageBoxKind

/// Button bits, in the order the buttons appear, and the focus bits.
namespace MessageBoxButton {
constexpr unsigned OK = 1u << 0;
constexpr unsigned Yes = 1u << 1;
constexpr unsigned Retry = 1u << 2;
constexpr unsigned Ignore = 1u << 3;
constexpr unsigned SaveLater = 1u << 4;
constexpr unsigned CreateNew = 1u << 5;
constexpr unsigned No = 1u << 6;
constexpr unsigned Cancel = 1u << 7;
constexpr unsigned Details = 1u << 8;
/// The second button gets the focus (if there are at least two).
constexpr unsigned FocusSecond = 1u << 9;
/// The third button gets the focus (if there are at least three).
constexpr unsigned FocusThird = 1u << 10;
} // namespace MessageBoxButton

/// Results (the modal results callers compare with).
namespace MessageBoxResult {
constexpr int None = 0;
constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
constexpr int CreateNew = 65537;
constexpr int SaveLater = 65538;
} // namespace MessageBoxResult

/// One button as the box creates it.
struct TMessageBoxButtonDef {
    unsigned bit = 0;
    int result = MessageBoxResult::None; ///< None for Details
};

/// The buttons that a set of bits creates, in order; the empty set gives OK alone. Raises
/// EVRNException "TfrmMessageBox.SetButtons: Invalid button" for a bit outside the known ones.
std::vector<TMessageBoxButtonDef> MessageBoxButtons(unsigned buttons);
/// The index of the button that gets the focus (and answers Enter).
int MessageBoxFocusIndex(unsigned buttons, int buttonCount);
/// The answer to Escape: the first present of Cancel, No, Ignore; OK for the empty set (a lone
/// OK); otherwise None, and Escape does nothing. Closing the box through its frame answers Cancel.
int MessageBoxEscapeResult(unsigned buttons);
/// The icon name of a kind: "none", "warning", "information", "question", "error".
QString MessageBoxIconName(int kind);

/// Translates the nine button captions once (at start-up, after the language switch).
void TranslateMessageBoxButtons();
/// The caption of a button bit ("&OK", ...), translated once TranslateMessageBoxButtons ran.
QString MessageBoxButtonCaption(unsigned bit);

/// Text as the box shows it: the two characters backslash and "n" become a line break.
QString ExpandMessageLineBreaks(const QString& text);
/// Wraps text into lines at most maxWidth wide as measured by textWidth: at blanks where possible,
/// between characters inside a word that is wider than a line (never inside a surrogate pair).
QString WrapMessageText(const QString& text, int maxWidth, const std::function<int(const QString&)>& textWidth);

/// Windows shown by the generic windows (message boxes) are routed through the application's
/// current-window stack once the controller has set these hooks (empty: no routing).
struct TGenericWindowHooks {
    std::function<void(QWidget*)> addCurrentWindow;
    std::function<void(QWidget*)> removeCurrentWindow;
};
void SetGenericWindowHooks(TGenericWindowHooks hooks);

/// What a box showed (or would have shown).
struct TMessageBoxRecord {
    QString caption;
    QString text;
    QString details;
    int kind = 0;
    unsigned buttons = 0;
    int answer = 0;
};

/// The test seam.
class TMessageBoxSeam {
public:
    /// The next box answers this result without being shown (queued: several calls answer several
    /// boxes in order).
    static void SetNextAnswer(int result);
    static void ClearAnswers();
    /// Boxes without a queued answer answer as if closed, and every answered box is described on
    /// standard error.
    static void SetAutoAnswer(bool on);
    /// Whether any answer is still queued.
    static bool HasQueuedAnswers();
    /// Every box asked for since the last ClearHistory, shown or answered.
    static const std::vector<TMessageBoxRecord>& History();
    static void ClearHistory();
    static std::optional<TMessageBoxRecord> Last();
};

/// The message box window, created for one question. Tests may create it, set it up and drive
/// it; ShowMessageBox does all of it.
class TfrmMessageBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMessageBox(QWidget* owner = nullptr);

    void SetKind(int kind);
    /// Raises for unknown bits (see MessageBoxButtons).
    void SetButtons(unsigned buttons);
    void SetCaption(const QString& caption);
    void SetText(const QString& text);
    void SetDetails(const QString& details);
    /// Lays the box out; called before it is shown.
    void Prepare();

    int Result() const { return m_result; }
    bool DetailsVisible() const;
    QPushButton* Button(unsigned bit) const;
    QPushButton* FocusButton() const;
    QString ShownText() const;
    QString DetailsText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ToggleDetails();
    void Answer(int result);
    int Scaled(int pixels) const;

    QWidget* m_owner;
    int m_kind = 0;
    unsigned m_buttonBits = 0;
    int m_result = MessageBoxResult::Cancel;
    double m_scale = 1.0;
    int m_detailsHeight = 0;
    QString m_text;
    QLabel* m_icon;
    QLabel* m_label;
    QPlainTextEdit* m_details;
    std::vector<std::pair<unsigned, QPushButton*>> m_buttons;
    QPushButton* m_focusButton = nullptr;
};

/// Shows the box modally (or lets the seam answer) and returns the pressed button's result;
/// closing the box in any other way gives Cancel (2). While it is shown it is a current window of
/// the application. An empty caption takes the owner's window title.
int ShowMessageBox(QWidget* owner, const QString& caption, const QString& text, const QString& details, int kind,
                   unsigned buttons);
/// Short form with the OK button alone.
int ShowMessageBox(QWidget* owner, const QString& caption, const QString& text, int kind);
/// Short form for an error: OK and Details, the details being ExceptionToText of the error.
int ShowErrorBox(QWidget* owner, const QString& caption, const QString& text, const std::exception& error);
