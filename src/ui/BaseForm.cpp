#include "ui/BaseForm.h"

#include "ui/DialogFont.h"
#include "ui/FormPositions.h"

#include <QHideEvent>

ThxBaseForm::ThxBaseForm(QWidget* parent) : QDialog(parent) {
    setFont(DialogFont());
    RegisterLiveObject(this);
    RegisterFormatSettingsNotify(this);
}

ThxBaseForm::~ThxBaseForm() {
    UnregisterFormatSettingsNotify(this);
    UnregisterLiveObject(this);
}

QString ThxBaseForm::ClassName() const {
    return QString::fromLatin1(metaObject()->className());
}

void ThxBaseForm::SetPositionName(const QString& name, bool withSize) {
    m_positionName = name;
    m_savesSize = withSize;
}

void ThxBaseForm::LoadFormPosition() {
    m_positionLoaded = true;
    if (!m_positionName.isEmpty())
        ::LoadFormPosition(this, m_positionName, m_savesSize);
}

void ThxBaseForm::SaveFormPosition() {
    if (!m_positionName.isEmpty())
        ::SaveFormPosition(this, m_positionName, m_savesSize);
}

void ThxBaseForm::setVisible(bool visible) {
    // Placed before the window system maps it, so it never appears elsewhere first.
    if (visible && !m_positionLoaded && isWindow())
        LoadFormPosition();
    QDialog::setVisible(visible);
}

void ThxBaseForm::hideEvent(QHideEvent* event) {
    // A window that was never shown has no place of its own to keep.
    if (m_positionLoaded && !event->spontaneous())
        SaveFormPosition();
    QDialog::hideEvent(event);
}

int ExecAsCurrentWindow(QDialog& dialog, const std::function<void(QWidget*)>& add,
                        const std::function<void(QWidget*)>& remove) {
    if (add)
        add(&dialog);
    struct Remove {
        const std::function<void(QWidget*)>& remove;
        QWidget* window;
        ~Remove() {
            if (remove)
                remove(window);
        }
    } removeOnExit{remove, &dialog};
    return dialog.exec();
}
