#pragma once

// The storage's failure questions, asked with the program's message box.

#include "storage/StorageQuestions.h"

#include <QPointer>
#include <QWidget>

/// Asks "There has been a problem trying to load work data." (or "... save work data.") with the
/// storage's description as details and the answers the storage allows, plus Details.
class TMessageBoxStorageQuestions : public IStorageQuestions {
public:
    explicit TMessageBoxStorageQuestions(QWidget* owner = nullptr) : m_owner(owner) {}
    int Ask(const TStorageQuestionText& question) override;

private:
    QPointer<QWidget> m_owner;
};

/// The buttons of a storage question (Details always).
unsigned StorageQuestionButtons(const TStorageAnswerSet& allowed);
