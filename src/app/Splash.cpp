#include "app/Splash.h"

#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/DialogFont.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

QString ProgramVersionMajorMinor() {
    return QStringLiteral(HORALUX_VERSION_MAJOR_MINOR);
}

QString ProgramVersionText() {
    return FormatPlaceholders(Tr("Version %1%2"), {ProgramVersionMajorMinor(), QString()});
}

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_product(new QLabel(QStringLiteral("Varnelo Horalux"), this)), m_version(new QLabel(ProgramVersionText(), this)),
      m_status(new QLabel(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    setFont(DialogFont());
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x1F, 0x4E, 0x79));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    QFont productFont = DialogFont();
    productFont.setPointSizeF(productFont.pointSizeF() * 2.5);
    productFont.setBold(true);
    m_product->setFont(productFont);
    m_product->setAlignment(Qt::AlignCenter);
    m_version->setAlignment(Qt::AlignCenter);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_status->setMinimumWidth(360);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 12);
    layout->addStretch();
    layout->addWidget(m_product);
    layout->addWidget(m_version);
    layout->addStretch();
    layout->addWidget(line);
    layout->addWidget(m_status);
    resize(420, 220);
}

void TfrmSplash::ShowAndWait() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmSplash::SetStatus(const QString& text) {
    m_status->setText(text);
    if (isVisible()) {
        m_status->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QString TfrmSplash::Status() const {
    return m_status->text();
}

QString TfrmSplash::VersionText() const {
    return m_version->text();
}
