#pragma once

// Options pages for the dialog's tests: each shows an edit and a check box, fills the edit from
// the value "text" of its own section when it loads and writes it back when it saves, and notes
// every load and save in a shared journal ("load A", "save B"). A page may be told to refuse.

#include "ui/OptionsPages.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <memory>

struct TPageJournal {
    QStringList entries;
    /// The captions of the pages that refuse to be saved.
    QStringList refusing;
};

class TfrmStandInPage : public TfrmOptionsPage {
public:
    TfrmStandInPage(QWidget* parent, IHXOptionsControl_* control, QString name, std::shared_ptr<TPageJournal> journal)
        : TfrmOptionsPage(parent, control), m_name(std::move(name)), m_journal(std::move(journal)),
          m_edit(new QLineEdit(this)), m_check(new QCheckBox(QStringLiteral("&Mark"), this)) {
        setObjectName(m_name);
        m_edit->setObjectName(QStringLiteral("edit ") + m_name);
        m_check->setObjectName(QStringLiteral("check ") + m_name);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_edit);
        layout->addWidget(m_check);
        connect(m_edit, &QLineEdit::textEdited, this, [this] { SetModified(); });
        connect(m_check, &QCheckBox::clicked, this, [this] { SetModified(); });
    }
    void LoadPage() override {
        m_journal->entries << QStringLiteral("load ") + m_name;
        const auto value = Section(m_name)->Find(QStringLiteral("text"));
        m_edit->setText(value ? value->AsString() : QString());
    }
    bool SavePage() override {
        m_journal->entries << QStringLiteral("save ") + m_name;
        if (m_journal->refusing.contains(m_name))
            return false;
        Section(m_name)->Items(QStringLiteral("text"))->SetAsString(m_edit->text());
        return true;
    }
    QLineEdit* Edit() const { return m_edit; }
    QCheckBox* Check() const { return m_check; }

private:
    QString m_name;
    std::shared_ptr<TPageJournal> m_journal;
    QLineEdit* m_edit;
    QCheckBox* m_check;
};

/// A page whose section is named by its caption.
inline std::shared_ptr<TOptionsPage> StandInPage(const QString& caption, int order,
                                                 const std::shared_ptr<TPageJournal>& journal, bool available = true) {
    return std::make_shared<TOptionsPage>(
        caption, order,
        [caption, journal](QWidget* parent, IHXOptionsControl_* control) {
            return new TfrmStandInPage(parent, control, caption, journal);
        },
        [available] { return available; });
}
