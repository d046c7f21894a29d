#include "worksheet_ui/FindProblemForm.h"

#include "foundation/Translation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmFindProblem::TfrmFindProblem(QWidget* parent)
    : ThxBaseForm(parent), m_label(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_cancel(new QPushButton(this)) {
    setWindowTitle(Tr("Plausibility test"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint);
    m_label->setText(Tr("Performing plausibility test ..."));
    m_cancel->setText(Tr("Cancel"));
    m_progress->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    resize(320, 110);
}

void TfrmFindProblem::reject() {
    // Escape and the close button stop the test like Cancel; the test hides the window.
    m_cancelled = true;
}

void TfrmFindProblem::showEvent(QShowEvent* event) {
    m_cancelled = false;
    ThxBaseForm::showEvent(event);
}
