#include "tracking_ui/TrackingNotices.h"

#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");

QLabel* IconLabel(QStyle::StandardPixmap icon, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(parent->style()->standardIcon(icon).pixmap(32, 32));
    label->setAlignment(Qt::AlignTop);
    return label;
}

/// Fixed dialogs of the notices: the designed client size, larger only where the texts need it.
void FixSize(QWidget* window, const QSize& designed) {
    window->setFixedSize(designed.expandedTo(window->sizeHint()));
}

} // namespace

TfrmDaySwitch::TfrmDaySwitch(double workStart, std::function<void()> startTracking, QWidget* parent)
    : ThxBaseForm(parent), m_startTracking(std::move(startTracking)) {
    setWindowTitle(FormatPlaceholders(Tr("%1 End of Work Detection"), {kProduct}));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* heading = new QLabel(Tr("Tracking has stopped!"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_explanation = new QLabel(
        FormatPlaceholders(Tr("Usually you're not working at %2. Therefore %1 has stopped tracking. To restart "
                              "tracking for today click the button below."),
                           {kProduct, FormatLocalTime(workStart, ShortTimePattern())}),
        this);
    m_explanation->setWordWrap(true);
    m_start = new QPushButton(Tr("Start Tracking for Today"), this);
    m_start->setDefault(true);
    m_start->setMinimumHeight(30);
    connect(m_start, &QPushButton::clicked, this, &TfrmDaySwitch::StartTracking);

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(m_explanation);
    auto* top = new QHBoxLayout;
    top->addWidget(IconLabel(QStyle::SP_MessageBoxInformation, this));
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top, 1);
    layout->addWidget(m_start);
    FixSize(this, QSize(399, 158));
    SetPositionName(QStringLiteral("Day Switch"), false);
}

void TfrmDaySwitch::StartTracking() {
    if (m_startTracking)
        m_startTracking();
    accept();
}

void TfrmDaySwitch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_start->click();
        return;
    }
    ThxBaseForm::keyPressEvent(event);
}

TfrmTrackingImpossible::TfrmTrackingImpossible(QWidget* parent) : ThxBaseForm(parent) {
    setWindowTitle(Tr("Tracking deactivated"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    auto* ok = new QPushButton(Tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TfrmTrackingImpossible::accept);
    auto* top = new QHBoxLayout;
    top->addWidget(IconLabel(QStyle::SP_MessageBoxWarning, this));
    top->addWidget(m_label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    FixSize(this, QSize(293, 115));
}

void TfrmTrackingImpossible::SetText(const QString& text) {
    m_label->setText(text);
    setFixedSize(QSize(293, 115).expandedTo(sizeHint()));
}
