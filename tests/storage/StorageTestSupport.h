#pragma once

// Shared helpers of the storage tests: a temporary storage folder with a fixed clock, a host on
// it that can be reopened like a new program start, entries, and readers for the files.

#include "foundation/XMLHelper.h"
#include "storage/StorageHost.h"
#include "storage/StorageQuestions.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

/// Answers from a script (then the default) and records every question.
class TScriptedStorageQuestions : public IStorageQuestions {
public:
    explicit TScriptedStorageQuestions(std::vector<int> answers = {}) : m_answers(std::move(answers)) {}
    int Ask(const TStorageQuestionText& question) override;
    void Script(std::vector<int> answers);
    std::vector<TStorageQuestionText> asked;

private:
    std::vector<int> m_answers;
    size_t m_next = 0;
};

class TStorageFixture : public ::testing::Test {
protected:
    TStorageFixture();
    ~TStorageFixture() override;

    /// A new host on the same folder, as after a program restart (the old one is released
    /// without saving); its questions go to questions.
    void Reopen();
    TStorageHost& Host() { return *m_host; }
    TypedStoragePtr Typed() { return m_host->GetTypedStorage(); }
    void SetToday(int year, int month, int day);
    /// Adds an activity entry from startHour to endHour on that day and returns the day list.
    DayEntryListPtr AddEntry(double date, double startHour, double endHour);
    /// The number of entries on that day.
    int CountEntries(double date);

    QString Folder() const { return m_folder; }
    QString FilePath(const QString& name) const { return m_folder + QStringLiteral("/") + name; }
    /// The names of the files in the storage folder, sorted.
    QStringList Files() const;

    TempHome m_home;
    ScopedFixedClock m_clock;
    QString m_folder;
    std::shared_ptr<TScriptedStorageQuestions> m_questions;
    std::unique_ptr<TStorageHost> m_host;
};

double Day(int year, int month, int day);

/// The content element of a storage file, read on its own (the document stays alive with it).
TvrnDomElement ReadContent(const QString& fileName);
/// The file's own description ("info") as a property list.
PropertyListPtr ReadOwnInfo(const QString& fileName);
/// The descriptions of the file's "substorages".
std::vector<PropertyListPtr> ReadSubStorages(const QString& fileName);
/// The dates (ISO) of the "day" elements of the file's "data", in file order.
QStringList ReadDays(const QString& fileName);
/// A text property, a nested list's date ("startinfo"/"endinfo" -> ISO) and the storage type.
QString InfoText(const PropertyListPtr& info, const QString& name);
QString InfoDate(const PropertyListPtr& info, const QString& name);
TGUID InfoType(const PropertyListPtr& info);
PropertyListPtr InfoNested(const PropertyListPtr& info, const QString& name);

/// Rewrites the content of a storage file in place (no host may hold it).
void EditContent(const QString& fileName, const std::function<void(const TvrnDomElement& content)>& edit);
/// Sets a text property of the description in element (an "info" or "storageinfo" element).
void EditDescription(const TvrnDomElement& element, const QString& name, const QString& value);
/// Overwrites the file with bytes that are no data file.
void DamageFile(const QString& fileName);
QByteArray FileBytes(const QString& fileName);

/// Makes creating files whose name contains a pattern fail (a full disk, a refused temporary file)
/// while installed; every other call goes to the real file system.
class TFailingCreation {
public:
    explicit TFailingCreation(QString pattern, int failures = 1000000);
    ~TFailingCreation();
    TFailingCreation(const TFailingCreation&) = delete;
    TFailingCreation& operator=(const TFailingCreation&) = delete;
    int Failed() const;
    void Stop();

private:
    struct TState;
    std::shared_ptr<TState> m_state;
};
