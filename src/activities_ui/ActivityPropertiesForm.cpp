#include "activities_ui/ActivityPropertiesForm.h"

#include "activities_ui/ImageSelector.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/Activity.h"
#include "model/PropertyInterfaces.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmActivityProperties::TfrmActivityProperties(QWidget* parent)
    : ThxBaseForm(parent), m_pages(new QTabWidget(this)), m_name(new QLineEdit), m_isBreak(new QCheckBox),
      m_defaultIcon(new QCheckBox), m_images(new TvrnImageSelector), m_panel(new TOKCancelPanel(this)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* properties = new QWidget;
    auto* nameLabel = new QLabel(Tr("Name:"));
    nameLabel->setBuddy(m_name);
    m_isBreak->setText(Tr("This activity represents a break"));
    auto* propertiesLayout = new QVBoxLayout(properties);
    propertiesLayout->addWidget(nameLabel);
    propertiesLayout->addWidget(m_name);
    propertiesLayout->addSpacing(6);
    propertiesLayout->addWidget(m_isBreak);
    propertiesLayout->addStretch(1);
    m_pages->addTab(properties, Tr("Properties"));

    auto* icon = new QWidget;
    m_defaultIcon->setText(Tr("Use default icon"));
    m_images->ShowActivityImages();
    auto* iconLayout = new QVBoxLayout(icon);
    iconLayout->addWidget(m_defaultIcon);
    iconLayout->addWidget(m_images, 1);
    m_pages->addTab(icon, Tr("Icon"));
    connect(m_defaultIcon, &QCheckBox::toggled, m_images, [this](bool on) { m_images->setEnabled(!on); });

    m_panel->SetButtons(true, true, false);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmActivityProperties::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QVBoxLayout;
    pages->setContentsMargins(8, 8, 8, 4);
    pages->addWidget(m_pages);
    layout->addLayout(pages, 1);
    layout->addWidget(m_panel);
    // The designed width; the height follows the contents.
    setFixedSize(QSize(347, 330).expandedTo(sizeHint()));
}

void TfrmActivityProperties::Load(const ActivityPtr& activity) {
    m_activity = activity;
    setWindowTitle(FormatPlaceholders(Tr("Properties of %1"), {activity->Name()}));
    m_isBreak->setChecked(activity->IsBreak());
    m_name->setText(activity->Name());
    const std::shared_ptr<IHXProperty_> stored = activity->Values()->Find(ActivityValueImageIndex);
    const bool hasImage = stored && stored->DataType() == hxpdtInteger;
    const int image = hasImage ? stored->AsInteger() : 0;
    m_defaultIcon->setChecked(!hasImage || image == -1);
    m_images->setEnabled(!m_defaultIcon->isChecked());
    m_images->SetSelectedImage(image < 0 ? 0 : image);
    m_pages->setCurrentIndex(0);
    m_name->setFocus();
    m_name->selectAll();
}

void TfrmActivityProperties::accept() {
    if (!m_activity)
        return;
    if (m_name->text().trimmed().isEmpty()) {
        ShowMessageBox(this, windowTitle(), Tr("Please enter a name for the activity."), MessageBoxKind::Error);
        m_pages->setCurrentIndex(0);
        m_name->setFocus();
        return;
    }
    const int selected = m_images->SelectedImage();
    m_activity->Values()
        ->Items(ActivityValueImageIndex)
        ->SetAsInteger(m_defaultIcon->isChecked() || selected < 0 ? -1 : selected);
    m_activity->SetName(m_name->text());
    m_activity->SetIsBreak(m_isBreak->isChecked());
    ThxBaseForm::accept();
}

bool EditActivityProperties(QWidget* parent, const ActivityPtr& activity) {
    if (!activity)
        return false;
    TfrmActivityProperties dialog(parent);
    dialog.Load(activity);
    return dialog.exec() == QDialog::Accepted;
}
