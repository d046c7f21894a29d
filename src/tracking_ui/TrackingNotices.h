#pragma once

// The two notices that tell why no tracking question comes: the end-of-work notice (the program
// ran past the time the working day usually starts, so tracking stopped until the user starts it
// again) and the tracking-impossible notice (the present is already covered by an entry).

#include "ui/BaseForm.h"

#include <functional>

class QLabel;
class QPushButton;

class TfrmDaySwitch : public ThxBaseForm {
    Q_OBJECT
public:
    /// workStart: the time of day the working day starts; startTracking runs when the user starts
    /// tracking again (the button or Escape).
    TfrmDaySwitch(double workStart, std::function<void()> startTracking, QWidget* parent = nullptr);

    QPushButton* StartButton() const { return m_start; }
    QLabel* Explanation() const { return m_explanation; }

    /// "Start Tracking for Today": restarts tracking and closes.
    void StartTracking();

protected:
    /// Escape presses the button; closing the window otherwise (at program end) starts nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> m_startTracking;
    QLabel* m_explanation;
    QPushButton* m_start;
};

class TfrmTrackingImpossible : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmTrackingImpossible(QWidget* parent = nullptr);
    void SetText(const QString& text);
    QLabel* Label() const { return m_label; }

private:
    QLabel* m_label;
};
