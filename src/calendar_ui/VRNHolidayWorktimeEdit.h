#pragma once

// The required-time edit of holidays: an edit with up and down buttons bound to one holiday rule.
// It shows the rule in its text form (04:00, +01:30, -50%, 80%) and reads every change of the text
// back into the rule; a text that is no rule is shown bold and red and leaves the rule as it was.

#include "calendar/HolidayWorktime.h"
#include "controls/VRNCustomSpinEdit.h"

#include <memory>

class TVRNHolidayWorktimeEdit : public TVRNCustomSpinEdit {
    Q_OBJECT
public:
    /// Steps of 1, 5 and 15; no rule bound, empty.
    explicit TVRNHolidayWorktimeEdit(QWidget* parent = nullptr);

    /// Binds a rule and shows its text; nullptr binds none and empties the edit.
    void SetWorktime(const std::shared_ptr<IHXHolidayWorktime_>& rule);
    const std::shared_ptr<IHXHolidayWorktime_>& Worktime() const { return m_rule; }

    /// Whether the current text is a valid rule.
    bool Valid() const { return TextValid(); }

    /// Reads the current text into a fresh rule (an unreadable text gives 00:00) and changes its
    /// amount: an absolute rule by amount minutes, a percentage rule by amount percent; neither
    /// goes below zero. The new text is shown and read into the bound rule.
    void Step(int amount) override;

protected:
    bool TextValid() const override;
    void TextEdited() override;
    QString WidestText() const override { return QStringLiteral("+000:00"); }
    void ShowValueAgain() override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::shared_ptr<IHXHolidayWorktime_> m_rule;
};
