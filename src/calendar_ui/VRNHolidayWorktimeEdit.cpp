#include "calendar_ui/VRNHolidayWorktimeEdit.h"

#include "calendar/HolidayWorktimeText.h"
#include "foundation/DateTime.h"

#include <algorithm>

namespace {

bool ReadInto(const QString& text, IHXHolidayWorktime_& rule) {
    try {
        TextToHolidayWorktime(text, rule);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

TVRNHolidayWorktimeEdit::TVRNHolidayWorktimeEdit(QWidget* parent) : TVRNCustomSpinEdit(parent) {
    SetIncrement1(1);
    SetIncrement2(5);
    SetIncrement3(15);
}

void TVRNHolidayWorktimeEdit::SetWorktime(const std::shared_ptr<IHXHolidayWorktime_>& rule) {
    m_rule = rule;
    SetOwnText(m_rule ? HolidayWorktimeToText(*m_rule) : QString());
}

bool TVRNHolidayWorktimeEdit::TextValid() const {
    THolidayWorktime scratch;
    return ReadInto(Text(), scratch);
}

void TVRNHolidayWorktimeEdit::TextEdited() {
    if (!m_rule) {
        TVRNCustomSpinEdit::TextEdited();
        return;
    }
    ShowValidity(ReadInto(Text(), *m_rule));
}

void TVRNHolidayWorktimeEdit::Step(int amount) {
    THolidayWorktime rule;
    ReadInto(Text(), rule);
    // One unit is one minute or one percent; a rule holds no negative amount, so the steps stop
    // at zero.
    if (rule.IsPercentage())
        rule.SetWorktimePercentage(std::max(0.0, (rule.WorktimePercentage() * 100.0 + amount) / 100.0));
    else
        rule.SetWorktimeAbsolute(AddMinutesNonNegative(amount, rule.WorktimeAbsolute()));
    SetTextAsTyped(HolidayWorktimeToText(rule));
}

void TVRNHolidayWorktimeEdit::ShowValueAgain() {
    if (m_rule)
        SetOwnText(HolidayWorktimeToText(*m_rule));
}

void TVRNHolidayWorktimeEdit::focusOutEvent(QFocusEvent* event) {
    TVRNCustomSpinEdit::focusOutEvent(event);
    // What was typed is shown in the canonical form ("4" becomes 04:00, "50 %" becomes 50%).
    if (m_rule && ReadInto(Text(), *m_rule))
        SetOwnText(HolidayWorktimeToText(*m_rule));
}
