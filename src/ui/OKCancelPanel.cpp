#include "ui/OKCancelPanel.h"

#include "foundation/Translation.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace {

QPushButton* NewButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFixedSize(TOKCancelPanel::ButtonWidth, TOKCancelPanel::ButtonHeight);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TOKCancelPanel::TOKCancelPanel(QWidget* parent)
    : QWidget(parent), m_ok(NewButton(this)), m_cancel(NewButton(this)), m_apply(NewButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 10, 9);
    layout->setSpacing(10);
    layout->addStretch(1);
    layout->addWidget(m_ok);
    layout->addWidget(m_cancel);
    layout->addWidget(m_apply);
    SetOKDefault(true);
    Translate();
    connect(m_ok, &QPushButton::clicked, this, &TOKCancelPanel::OKClicked);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        // Cancel is the dialog's cancel button: it takes the same path as Escape.
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->reject();
        else
            emit CancelClicked();
    });
    connect(m_apply, &QPushButton::clicked, this, &TOKCancelPanel::ApplyClicked);
}

void TOKCancelPanel::SetButtons(bool ok, bool cancel, bool apply) {
    m_ok->setVisible(ok);
    m_cancel->setVisible(cancel);
    m_apply->setVisible(apply);
}

void TOKCancelPanel::SetOKDefault(bool value) {
    m_ok->setDefault(value);
}

void TOKCancelPanel::Translate() {
    m_ok->setText(Tr("OK"));
    m_cancel->setText(Tr("Cancel"));
    m_apply->setText(Tr("&Apply"));
}
