#pragma once

// The progress window of the plausibility test: shown while the test walks back through the
// days; its Cancel button stops the walk.

#include "ui/BaseForm.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TfrmFindProblem : public ThxBaseForm {
    Q_OBJECT
public:
    explicit TfrmFindProblem(QWidget* parent = nullptr);

    QProgressBar* ProgressBar() const { return m_progress; }
    QPushButton* CancelButton() const { return m_cancel; }
    bool Cancelled() const { return m_cancelled; }
    void SetCancelled(bool cancelled) { m_cancelled = cancelled; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_label;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    bool m_cancelled = false;
};
