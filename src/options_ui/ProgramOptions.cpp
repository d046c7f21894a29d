#include "options_ui/ProgramOptions.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "foundation/platform/CommandLine.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyHelpers.h"
#include "ui/HotKeyEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");
const QString kGeneral = QStringLiteral("general");

std::uint16_t ReadHotKey(const std::shared_ptr<IHXPropertyList_>& section) {
    return HotKeyFromProperty(section->Find(QStringLiteral("hotkey")), 0);
}

} // namespace

TfrmProgramOptions::TfrmProgramOptions(QWidget* parent, IHXOptionsControl_* control, bool showCompression)
    : TfrmOptionsPage(parent, control), m_autostart(new QCheckBox(Tr("Start automatically when you log in"), this)),
      m_compress(new QCheckBox(Tr("Use data compression"), this)), m_hotKey(new THotKeyEdit(this)) {
    setObjectName(QStringLiteral("frmProgramOptions"));
    auto* description = new QLabel(
        FormatPlaceholders(Tr("Please specify how you would like %1 to behave in general. These options are essential "
                              "for tuning %1 to your personal needs."),
                           {kProduct}),
        this);
    description->setWordWrap(true);
    auto* hotKeyLabel = new QLabel(Tr("Enter a hotkey for activating the main menu:"), this);
    hotKeyLabel->setBuddy(m_hotKey);
    m_compress->setVisible(showCompression);
    m_hotKey->setMaximumWidth(240);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(description);
    layout->addSpacing(6);
    layout->addWidget(m_autostart);
    layout->addSpacing(6);
    layout->addWidget(hotKeyLabel);
    layout->addWidget(m_hotKey);
    layout->addSpacing(6);
    layout->addWidget(m_compress);
    layout->addStretch(1);

    connect(m_autostart, &QCheckBox::clicked, this, &TfrmProgramOptions::SetModified);
    connect(m_compress, &QCheckBox::clicked, this, &TfrmProgramOptions::SetModified);
    connect(m_hotKey, &THotKeyEdit::HotKeyChanged, this, &TfrmProgramOptions::SetModified);
}

void TfrmProgramOptions::LoadPage() {
    const auto section = Section(kGeneral);
    m_autostart->setChecked(FindBooleanDef(section, QStringLiteral("autostart"), true));
    m_compress->setChecked(FindBooleanDef(section, QStringLiteral("compress"), true));
    m_hotKey->SetHotKey(ReadHotKey(section));
}

bool TfrmProgramOptions::SavePage() {
    const std::uint16_t hotKey = m_hotKey->HotKey();
    if (!AcceptHotKeyBesides(this, Tr("General"), hotKey, ReadHotKey(Section(QStringLiteral("tracking manager")))))
        return false;
    const auto section = Section(kGeneral);
    section->Items(QStringLiteral("autostart"))->SetAsBoolean(m_autostart->isChecked());
    // Written even while the box is hidden: it then keeps what the options said.
    section->Items(QStringLiteral("compress"))->SetAsBoolean(m_compress->isChecked());
    HotKeyToProperty(section->Items(QStringLiteral("hotkey")), hotKey);
    return true;
}

QString TProgramOptions::GetID() {
    return QString::fromLatin1(ID);
}

QString TProgramOptions::GetName() {
    return Tr("General Options");
}

void TProgramOptions::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const auto pages = Application().GetOptionsPagesList();
    if (!pages)
        return;
    pages->Add(std::make_shared<TOptionsPage>(Tr("General"), 0, [](QWidget* parent, IHXOptionsControl_* control) {
        return new TfrmProgramOptions(parent, control, GetCommandLineSettings().showCompressOption);
    }));
}
