#pragma once

// "Enter Activity": the regular tracker's dialog. It shows the period to explain, lets the user
// pick the activity in the tree or in the box of recent activities, optionally split off an
// interruption (a proposed regular break fills it in), and books the answer. "Remind Later" closes
// it with the chosen reminder; at program end it is shown modally with "Exit" instead.

#include "calendar/BreakRecognition.h"
#include "model/ActivityInterfaces.h"
#include "model/ActivityLocator.h"
#include "tracking_ui/BaseTrackingWindow.h"

#include <optional>

class IHXPropertyList_;
class ISessionAbsence;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QVBoxLayout;
class TActivityComboBox;
class TActivityTreeView;
class TVRNIntegerEdit;

/// The options section of the dialog and its two histories.
inline const QString RegularTrackingSection = QStringLiteral("base regular tracking");
inline const QString ActivityHistoryKey = QStringLiteral("activity history");
inline const QString InterruptHistoryKey = QStringLiteral("interrupt activity history");
/// How many activities each history keeps.
constexpr int TrackingHistorySize = 10;

/// The "workstart" time of day of the tracking manager's options section (05:00 when it is
/// missing or damaged).
double WorkStartOption(const std::shared_ptr<IHXPropertyList_>& section);

/// The remind-later choices in list order: minutes, 0 = automatically, -1 = not again today.
const std::vector<int>& RemindChoices();
/// When the next question comes for a remind-later choice made at now ("workstart" is the time of
/// day the working day starts): -1 gives its next occurrence after now, N > 0 now + N minutes.
/// Choice 0 gives the time before which no question comes, now + 10 minutes.
double RemindTime(int choice, double now, double workStart);

class TfrmBaseTracking2 : public ThxBaseTrackingWindow {
    Q_OBJECT
public:
    explicit TfrmBaseTracking2(QWidget* parent = nullptr);
    ~TfrmBaseTracking2() override;

    void SetApplication(const std::shared_ptr<IApplication_>& application) override;
    void SetPeriod(double from, double to) override;
    void SetPlannedBreak(const TPlannedBreakValues* plannedBreak) override;

    /// Where the dialogs learn when the user was away (locked screen, sleep); none: nowhere.
    static void SetSessionAbsence(std::shared_ptr<ISessionAbsence> absence);

    /// The OK command: books the answer and closes; a failure is shown and the dialog stays
    /// open with the answer. Returns whether it booked.
    bool BookAnswer();

    TActivityTreeView* TreeView() const { return m_tree; }
    TActivityComboBox* ActivityBox() const { return m_activityBox; }
    TActivityComboBox* InterruptBox() const { return m_interruptBox; }
    QCheckBox* InterruptCheck() const { return m_interruptCheck; }
    TVRNIntegerEdit* MinutesEdit() const { return m_minutes; }
    QComboBox* RemindList() const { return m_remindList; }
    QPushButton* OKButton() const { return m_ok; }
    QPushButton* RemindButton() const { return m_remind; }
    QPushButton* WorksheetButton() const { return m_worksheet; }
    QLabel* PeriodLabel() const { return m_periodLabel; }
    QLabel* NoticeHeading() const { return m_noticeHeading; }
    QLabel* NoticeText() const { return m_noticeText; }
    QWidget* BreakNotice() const { return m_breakNotice; }
    /// Whether the "needs at least one minute" notice stands instead of the data panes.
    bool ShowsTooShortNotice() const;
    QSplitter* Splitter() const { return m_splitter; }

protected:
    void showEvent(QShowEvent* event) override;
    void Closing() override;

private:
    void UpdateButtons();
    void InterruptToggled(bool checked);
    void TreeSelectionChanged();
    void BoxChanged();
    void ShowProperties(const ActivityPtr& activity);
    void LoadHistory(TActivityComboBox* box, const QString& key);
    void SaveHistory(TActivityComboBox* box, const QString& key);
    void PlaceInterruptionFirst(bool first);
    void KeepSplitterInRange();
    /// Offers the longest absence of the period as the interruption, unless a regular break is
    /// proposed or this absence was offered already.
    void ProposeAbsence();
    void ShowProposal(const QString& heading, const QString& text, int minutes, const ActivityLocatorPtr& activity);
    int PeriodMinutes() const;

    QStackedWidget* m_pages;
    QSplitter* m_splitter;
    TActivityTreeView* m_tree;
    QVBoxLayout* m_rightLayout;
    QLabel* m_periodLabel;
    TActivityComboBox* m_activityBox;
    QWidget* m_breakNotice;
    QLabel* m_noticeHeading;
    QLabel* m_noticeText;
    QWidget* m_interruption;
    QCheckBox* m_interruptCheck;
    TVRNIntegerEdit* m_minutes;
    TActivityComboBox* m_interruptBox;
    QWidget* m_worksheetLine;
    QPushButton* m_worksheet;
    QComboBox* m_remindList;
    QPushButton* m_remind;
    QPushButton* m_ok;
    bool m_confirmed = false;
    std::optional<TPlannedBreakValues> m_proposedBreak;
    /// The absence offered as the interruption (from, to), if any.
    std::optional<std::pair<double, double>> m_proposedAbsence;
};
