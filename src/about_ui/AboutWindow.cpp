#include "about_ui/AboutWindow.h"

#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtGlobal>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");

QPlainTextEdit* NewTextPage(const QString& text, QWidget* parent) {
    auto* page = new QPlainTextEdit(parent);
    page->setReadOnly(true);
    page->setPlainText(text);
    page->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return page;
}

QString AboutText(const TAboutInformation& information) {
    QString text = FormatPlaceholders(Tr("%1 records the time you spend on your activities, from the tray of your "
                                         "desktop, and keeps it for your worksheets, reports and exports."),
                                      {kProduct});
    text += QStringLiteral("\n\n") + FormatPlaceholders(Tr("Storage folder: %1"), {information.storageFolder});
    text += u'\n';
    text += information.logFile.isEmpty() ? Tr("No log file is written.")
                                          : FormatPlaceholders(Tr("Log file: %1"), {information.logFile});
    return text;
}

} // namespace

QString AddInsAboutText(const std::vector<AddInPtr>& addIns) {
    QString text;
    for (const AddInPtr& addIn : addIns) {
        try {
            if (!addIn)
                continue;
            const QString name = addIn->GetName();
            const QString about = addIn->GetAboutText();
            text += name + QStringLiteral(":\n") + about;
        } catch (const std::exception& e) {
            text += ExceptionToText(e);
        }
        text += QStringLiteral("\n\n");
    }
    return text;
}

QString AcknowledgementsText() {
    const QStringList libraries{
        QStringLiteral("Qt %1 (GNU Lesser General Public License, version 3)").arg(QString::fromLatin1(qVersion())),
        QStringLiteral("ICU, International Components for Unicode (Unicode License)"),
        QStringLiteral("pugixml (MIT License)"),
        QStringLiteral("zlib (zlib License)"),
        QStringLiteral("GNU C Library with gettext (GNU Lesser General Public License, version 2.1)"),
        QStringLiteral("XCB, X protocol C-language Binding (MIT License)"),
    };
    return Tr("This program is built on the following libraries, each under its own licence:") +
           QStringLiteral("\n\n") + libraries.join(u'\n') + QStringLiteral("\n\n") +
           Tr("Icons come from the icon theme of the desktop.");
}

TfrmAbout::TfrmAbout(const TAboutInformation& information, QWidget* parent)
    : ThxBaseForm(parent), m_tabs(new QTabWidget(this)), m_ok(new QPushButton(Tr("OK"), this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(FormatPlaceholders(Tr("About %1"), {kProduct}));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);

    auto* product = new QLabel(kProduct, this);
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    product->setFont(large);
    const QString version = information.version.isEmpty() ? QStringLiteral("0.0") : information.version;
    auto* versionLabel = new QLabel(FormatPlaceholders(Tr("Version %1%2"), {version, QString()}), this);

    m_tabs->addTab(NewTextPage(AboutText(information), m_tabs), Tr("About"));
    m_tabs->addTab(NewTextPage(AcknowledgementsText(), m_tabs), Tr("Acknowledgements"));
    m_tabs->addTab(NewTextPage(AddInsAboutText(information.addIns), m_tabs), Tr("Add-Ins"));
    m_tabs->addTab(NewTextPage(information.buildInformation, m_tabs), Tr("Modules"));

    m_ok->setDefault(true);
    m_ok->setFixedSize(90, 25);
    connect(m_ok, &QPushButton::clicked, this, &TfrmAbout::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addWidget(product);
    layout->addWidget(versionLabel);
    layout->addSpacing(6);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    resize(460, 360);
    SetPositionName(QStringLiteral("frmAbout"), false);
}

QString TfrmAbout::TabText(int index) const {
    const auto* page = qobject_cast<const QPlainTextEdit*>(m_tabs->widget(index));
    return page ? page->toPlainText() : QString();
}

TfrmAbout* ShowAboutWindow(const TAboutInformation& information, const std::function<void(QWidget*)>& addCurrent,
                           const std::function<void(QWidget*)>& removeCurrent) {
    auto* window = new TfrmAbout(information);
    QObject::connect(window, &QDialog::finished, window, [window, removeCurrent](int) {
        if (removeCurrent)
            removeCurrent(window);
        window->deleteLater();
    });
    if (addCurrent)
        addCurrent(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
