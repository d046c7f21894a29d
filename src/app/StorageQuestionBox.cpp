#include "app/StorageQuestionBox.h"

#include "foundation/Translation.h"
#include "ui/MessageBox.h"

unsigned StorageQuestionButtons(const TStorageAnswerSet& allowed) {
    unsigned buttons = MessageBoxButton::Details;
    if (allowed.retry)
        buttons |= MessageBoxButton::Retry;
    if (allowed.ignore)
        buttons |= MessageBoxButton::Ignore;
    if (allowed.createNew)
        buttons |= MessageBoxButton::CreateNew;
    if (allowed.cancel)
        buttons |= MessageBoxButton::Cancel;
    return buttons;
}

int TMessageBoxStorageQuestions::Ask(const TStorageQuestionText& question) {
    const QString text = question.kind == TStorageQuestionKind::Save
                             ? Tr("There has been a problem trying to save work data.")
                             : Tr("There has been a problem trying to load work data.");
    return ShowMessageBox(m_owner, QStringLiteral("Varnelo Horalux"), text, question.message, MessageBoxKind::Error,
                          StorageQuestionButtons(question.allowed));
}
