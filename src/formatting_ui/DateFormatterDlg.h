#pragma once

// The "Date Format" dialog: the user composes a date picture from format elements for a language
// and a calendar of their choice and sees a sample of today's date in it. OK writes name, picture,
// language and calendar into the user-defined formatter; Cancel changes nothing.

#include "formatting/DateFormatterLocDep.h"
#include "ui/BaseForm.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TOKCancelPanel;
class TvrnCalendarComboBox;
class TvrnLocaleComboBox;

/// One entry of the element menu below "Predefined": a separator when Description is empty.
struct TDateElementEntry {
    QString Description; ///< translated
    QString Element;     ///< what the menu shows in its right-hand column
    QString Inserted;    ///< what goes into the format text
    int CaretBack = 0;   ///< how far the caret goes back from the end of the inserted text
    bool IsSeparator() const { return Description.isEmpty(); }
};

/// The element entries for a calendar whose era name is eraName (no "Period/Era" entry when it is
/// empty) and a language whose date separator is dateSeparator (no "Separator" entry when empty).
std::vector<TDateElementEntry> DateElementEntries(const QString& eraName, const QString& dateSeparator);

class TfrmDateFormatterDlg : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmDateFormatterDlg(QWidget* parent = nullptr);

    /// Shows the formatter (nullptr: a new user-defined one). Raises ELocaleNotFoundError or
    /// ECalendarNotFoundError when its language or calendar is not offered.
    void SetFormatter(std::shared_ptr<TDateFormatterLocDepUser> formatter);
    const std::shared_ptr<TDateFormatterLocDepUser>& Formatter() const { return m_formatter; }

    QLineEdit* NameEdit() const { return m_name; }
    TvrnLocaleComboBox* LanguageBox() const { return m_language; }
    TvrnCalendarComboBox* CalendarBox() const { return m_calendar; }
    QLineEdit* FormatEdit() const { return m_format; }
    QPushButton* ElementsButton() const { return m_elementsButton; }
    /// The element menu; its first entry holds the "Predefined" submenu.
    QMenu* ElementMenu() const { return m_elements; }
    QMenu* PredefinedMenu() const { return m_predefined; }
    QString Sample() const;
    TOKCancelPanel* Panel() const { return m_panel; }

    /// The user chose another language: its first calendar, the menu and the sample follow.
    void LanguageChosen();
    /// The user chose another calendar: the menu and the sample follow.
    void CalendarChosen();
    void FormatSettingsChanged() override;

public slots:
    /// Checks name and picture (a refusal shows a message and moves the focus), then writes them,
    /// the language and the calendar into the formatter and closes with OK.
    void accept() override;

private:
    void RebuildElementMenu();
    void InsertElement(const QString& text, int caretBack);
    void ReplaceFormat(const QString& picture);
    void UpdateSample();

    std::shared_ptr<TDateFormatterLocDepUser> m_formatter;
    QLineEdit* m_name;
    TvrnLocaleComboBox* m_language;
    TvrnCalendarComboBox* m_calendar;
    QLineEdit* m_format;
    QPushButton* m_elementsButton;
    QMenu* m_elements;
    QMenu* m_predefined;
    QLabel* m_sample;
    TOKCancelPanel* m_panel;
};

/// Opens the dialog modally on the formatter (nullptr: a new one, handed back in formatter) while
/// it is a current window (addCurrent and removeCurrent may be empty); true when the user chose
/// OK. An error of SetFormatter reaches the caller and nothing is shown.
bool ExecuteDateFormatterDlg(QWidget* parent, std::shared_ptr<TDateFormatterLocDepUser>& formatter,
                             const std::function<void(QWidget*)>& addCurrent,
                             const std::function<void(QWidget*)>& removeCurrent);
