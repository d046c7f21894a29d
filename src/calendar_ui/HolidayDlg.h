#pragma once

// The holiday dialog: the name, the date and the required time of one holiday, and optionally the
// user's individual required time. The edits work on copies of the holiday's rules; the holiday
// (and the list) changes only on OK, after the input has been checked.

#include "calendar/HolidayList.h"
#include "ui/BaseForm.h"

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class TOKCancelPanel;
class TVRNHolidayWorktimeEdit;

/// Why the dialog refuses its input: the message and the control that gets the focus.
struct THolidayRefusal {
    QString Message;
    QWidget* Focus = nullptr;
};

class TfrmHolidayDlg : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmHolidayDlg(QWidget* parent = nullptr);

    /// Shows holiday of list, or a new holiday (empty name, today, 00:00) when holiday is nullptr.
    void SetHoliday(const std::shared_ptr<THolidayList>& list, const std::shared_ptr<IHXHoliday_>& holiday);
    /// The holiday the dialog ended with: after OK the edited one, or its successor when the date
    /// was changed (a holiday's date is fixed, so it is re-created), or the new one.
    const std::shared_ptr<IHXHoliday_>& Holiday() const { return m_holiday; }

    /// The checks of OK in their order; nullopt when the input is acceptable.
    std::optional<THolidayRefusal> CheckInput() const;

    QLineEdit* NameEdit() const { return m_name; }
    QDateEdit* DatePicker() const { return m_date; }
    TVRNHolidayWorktimeEdit* DefaultEdit() const { return m_default; }
    QCheckBox* OverrideCheck() const { return m_overrideCheck; }
    TVRNHolidayWorktimeEdit* OverrideEdit() const { return m_override; }
    TOKCancelPanel* Panel() const { return m_panel; }

    /// The date picker returns to the date form of the new regional settings.
    void FormatSettingsChanged() override;

public slots:
    /// Checks the input (a refusal shows a message box and moves the focus) and on success stores
    /// it and closes with OK.
    void accept() override;

private:
    void Store();
    double PickedDate() const;

    std::shared_ptr<THolidayList> m_list;
    std::shared_ptr<IHXHoliday_> m_holiday;
    std::shared_ptr<THolidayWorktime> m_defaultRule;
    std::shared_ptr<THolidayWorktime> m_overrideRule;
    QLineEdit* m_name;
    QDateEdit* m_date;
    TVRNHolidayWorktimeEdit* m_default;
    QCheckBox* m_overrideCheck;
    TVRNHolidayWorktimeEdit* m_override;
    TOKCancelPanel* m_panel;
};

/// Whether OK was chosen and the holiday the dialog ended with.
struct THolidayEditResult {
    bool ok = false;
    std::shared_ptr<IHXHoliday_> holiday;
};

/// Opens the dialog modally on a holiday of list (nullptr: a new one), as a current window of the
/// application while it is shown (either hook may be empty).
THolidayEditResult EditHoliday(QWidget* owner, const std::shared_ptr<THolidayList>& list,
                               const std::shared_ptr<IHXHoliday_>& holiday,
                               const std::function<void(QWidget*)>& addCurrentWindow,
                               const std::function<void(QWidget*)>& removeCurrentWindow);
