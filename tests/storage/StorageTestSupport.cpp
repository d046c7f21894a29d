#include "StorageTestSupport.h"

#include "foundation/DateTime.h"
#include "foundation/XMLValues.h"
#include "foundation/XMZFile.h"
#include "foundation/XMZFileSystem.h"
#include "storage/StoragePropertyLists.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>

int TScriptedStorageQuestions::Ask(const TStorageQuestionText& question) {
    asked.push_back(question);
    return m_next < m_answers.size() ? m_answers[m_next++] : question.defaultAnswer;
}

void TScriptedStorageQuestions::Script(std::vector<int> answers) {
    m_answers = std::move(answers);
    m_next = 0;
}

double Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

TStorageFixture::TStorageFixture()
    : m_clock(QDateTime(QDate(2006, 3, 14), QTime(12, 0))), m_folder(m_home.Path(QStringLiteral("data/Horalux"))),
      m_questions(std::make_shared<TScriptedStorageQuestions>()) {
    QDir().mkpath(m_folder);
    Reopen();
}

TStorageFixture::~TStorageFixture() {
    m_host.reset();
}

void TStorageFixture::Reopen() {
    m_host.reset();
    m_host = std::make_unique<TStorageHost>(m_folder);
    ConnectStorageQuestions(m_host->Notifications(), m_questions);
}

void TStorageFixture::SetToday(int year, int month, int day) {
    m_clock->Set(QDateTime(QDate(year, month, day), QTime(12, 0)));
}

DayEntryListPtr TStorageFixture::AddEntry(double date, double startHour, double endHour) {
    DayEntryListPtr list = Typed()->GetDayEntries(date);
    const EntryPtr entry = list->AddNew();
    entry->SetTime(startHour / 24.0, endHour / 24.0);
    if (auto activityEntry = std::dynamic_pointer_cast<IHXActivityEntry_>(entry))
        activityEntry->CalculateDuration();
    return list;
}

int TStorageFixture::CountEntries(double date) {
    return Typed()->GetDayEntries(date)->Count();
}

QStringList TStorageFixture::Files() const {
    QStringList names = QDir(m_folder).entryList(QDir::Files, QDir::Name);
    return names;
}

TvrnDomElement ReadContent(const QString& fileName) {
    TXMZFile file;
    file.AssignFile_(fileName, true, TGUID());
    const TvrnDomElement content = file.GetContent();
    file.Close_();
    return content;
}

PropertyListPtr ReadOwnInfo(const QString& fileName) {
    const TvrnDomElement info = XMLFindChild(ReadContent(fileName), QStringLiteral("info"));
    return info.Assigned() ? StorageLists::LoadFromElement(info) : nullptr;
}

std::vector<PropertyListPtr> ReadSubStorages(const QString& fileName) {
    std::vector<PropertyListPtr> result;
    const TvrnDomElement subStorages = XMLFindChild(ReadContent(fileName), QStringLiteral("substorages"));
    for (TvrnDomElement element = XMLFirstChildElement(subStorages); element.Assigned();
         element = XMLNextSiblingElement(element))
        result.push_back(StorageLists::LoadFromElement(element));
    return result;
}

QStringList ReadDays(const QString& fileName) {
    QStringList days;
    const TvrnDomElement data = XMLFindChild(ReadContent(fileName), QStringLiteral("data"));
    for (TvrnDomElement year = XMLFirstChildElement(data); year.Assigned(); year = XMLNextSiblingElement(year))
        for (TvrnDomElement month = XMLFirstChildElement(year); month.Assigned(); month = XMLNextSiblingElement(month))
            for (TvrnDomElement day = XMLFirstChildElement(month); day.Assigned(); day = XMLNextSiblingElement(day))
                days << XMLGetString(day, QStringLiteral("date"), QString());
    return days;
}

QString InfoText(const PropertyListPtr& info, const QString& name) {
    return StorageLists::GetStringDef(info, name);
}

PropertyListPtr InfoNested(const PropertyListPtr& info, const QString& name) {
    return StorageLists::FindNested(info, name);
}

QString InfoDate(const PropertyListPtr& info, const QString& name) {
    const PropertyListPtr nested = StorageLists::FindNested(info, name);
    if (!nested)
        return QStringLiteral("<none>");
    if (StorageLists::GetStringDef(nested, QStringLiteral("infotype")) != QLatin1String("limited"))
        return QStringLiteral("unlimited");
    return DateToISO(StorageLists::GetDate(nested, QStringLiteral("date")));
}

TGUID InfoType(const PropertyListPtr& info) {
    return StorageLists::GetGUID(info, QStringLiteral("storagetype"));
}

void EditContent(const QString& fileName, const std::function<void(const TvrnDomElement& content)>& edit) {
    TXMZFile file;
    file.AssignFile_(fileName, false, TGUID());
    edit(file.GetContent());
    file.Save();
    file.Close_();
}

void EditDescription(const TvrnDomElement& element, const QString& name, const QString& value) {
    const PropertyListPtr list = StorageLists::LoadFromElement(element);
    StorageLists::SetString(list, name, value);
    XMLRemoveAllChildren(element);
    StorageLists::SaveToElement(list, element);
}

void DamageFile(const QString& fileName) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray("\x00\x01this is no zlib stream at all", 31));
}

QByteArray FileBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

struct TFailingCreation::TState : public TPosixXMZFileSystem {
    QByteArray pattern;
    int left = 0;
    int failed = 0;
    int Open(const QByteArray& path, int flags, mode_t mode) override {
        if ((flags & O_CREAT) && left > 0 && path.contains(pattern)) {
            --left;
            ++failed;
            errno = ENOSPC;
            return -1;
        }
        return TPosixXMZFileSystem::Open(path, flags, mode);
    }
};

TFailingCreation::TFailingCreation(QString pattern, int failures) : m_state(std::make_shared<TState>()) {
    m_state->pattern = pattern.toUtf8();
    m_state->left = failures;
    SetXMZFileSystem(m_state);
}

TFailingCreation::~TFailingCreation() {
    SetXMZFileSystem(nullptr);
}

int TFailingCreation::Failed() const {
    return m_state->failed;
}

void TFailingCreation::Stop() {
    m_state->left = 0;
}
