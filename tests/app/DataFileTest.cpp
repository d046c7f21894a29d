// Loading, creating and saving the whole-file data files, and saving everything.
#include "app/DataFile.h"
#include "app/SaveAll.h"
#include "support/TestEnvironment.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using namespace MessageBoxButton;

const TDataFileTexts kTexts{"load question %1", "create failed %1", "load failed %1"};

/// A content owner holding one text value.
struct TextOwner {
    QString value;
    int afterLoads = 0;
    TDataFileContent Content(const QString& fresh = QStringLiteral("fresh")) {
        return {[this] { value.clear(); },
                [this](const TvrnDomElement& e) {
                    value = XMLGetValue(e, QStringLiteral("text"));
                    if (value.isEmpty())
                        throw EVRNException("no text");
                },
                [this](const TvrnDomElement& e) { XMLSetValue(e, QStringLiteral("text"), value); },
                [this, fresh] { value = fresh; }, [this] { ++afterLoads; }};
    }
};

const TGUID kType = TGUID::Constant("{0901CCC3-22C0-4278-A651-D132998E8B25}");

std::shared_ptr<TXMZFile> NewFile() {
    return std::make_shared<TXMZFile>();
}

class DataFileTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        m_path = m_home.DataHome() + QStringLiteral("/options.hx");
    }
    void TearDown() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void WriteDamaged() {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a data file");
    }

    TempHome m_home;
    QString m_path;
};

TEST_F(DataFileTest, MissingFileIsCreatedAndReadBackUnchanged) {
    TextOwner owner;
    auto file = LoadOrCreateDataFile(m_path, kType, kTexts, owner.Content(), NewFile);
    ASSERT_TRUE(file && file->IsAssigned());
    EXPECT_TRUE(QFileInfo::exists(m_path));
    EXPECT_EQ(owner.value, QStringLiteral("fresh"));
    EXPECT_EQ(owner.afterLoads, 0);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    file.reset();

    TextOwner second;
    auto again = LoadOrCreateDataFile(m_path, kType, kTexts, second.Content(QStringLiteral("other")), NewFile);
    EXPECT_EQ(second.value, QStringLiteral("fresh"));
    EXPECT_EQ(second.afterLoads, 1);
    EXPECT_TRUE(again->IsAssigned()) << "the file stays open for the run";
}

TEST_F(DataFileTest, DamagedFileRetriedThenCreatedNewKeepsTheDamagedFileAside) {
    WriteDamaged();
    for (int answer : {4, 4, 4, 65537})
        TMessageBoxSeam::SetNextAnswer(answer);
    TextOwner owner;
    auto file = LoadOrCreateDataFile(m_path, kType, kTexts, owner.Content(), NewFile);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 4u);
    const TMessageBoxRecord& question = TMessageBoxSeam::History()[0];
    EXPECT_EQ(question.text, QStringLiteral("load question Varnelo Horalux"));
    EXPECT_EQ(question.caption, QStringLiteral("Varnelo Horalux"));
    EXPECT_EQ(question.buttons, Retry | CreateNew | Cancel | Details);
    EXPECT_EQ(question.kind, MessageBoxKind::Error);
    EXPECT_TRUE(question.details.startsWith(QStringLiteral("File: \"") + m_path + QStringLiteral("\"\n")))
        << question.details.toStdString();
    EXPECT_EQ(owner.value, QStringLiteral("fresh"));
    // The user's bytes are kept, not deleted.
    QFile aside(m_path + QStringLiteral(".damaged"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray("this is not a data file"));
    file.reset();
    TextOwner reread;
    LoadOrCreateDataFile(m_path, kType, kTexts, reread.Content(), NewFile);
    EXPECT_EQ(reread.value, QStringLiteral("fresh"));
}

TEST_F(DataFileTest, CancelShowsTheStopBoxAndEndsWithExitCodeOne) {
    WriteDamaged();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Cancel);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    TextOwner owner;
    try {
        LoadOrCreateDataFile(m_path, kType, kTexts, owner.Content(), NewFile);
        FAIL();
    } catch (const EStartupFailure& e) {
        EXPECT_EQ(e.ExitCode(), 1);
    }
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    const TMessageBoxRecord& stop = TMessageBoxSeam::History()[1];
    EXPECT_EQ(stop.text, QStringLiteral("load failed Varnelo Horalux"));
    EXPECT_EQ(stop.buttons, OK | Details);
    EXPECT_TRUE(stop.details.contains(QStringLiteral("EUserCancel")));
    QFile kept(m_path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("this is not a data file")) << "nothing is touched on Cancel";
}

TEST_F(DataFileTest, FileThatCannotBeCreatedShowsTheCreateBox) {
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    TextOwner owner;
    // A plain file where the folder should be.
    QFile blocker(m_home.Path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unreachable = m_home.Path(QStringLiteral("blocker/options.hx"));
    EXPECT_THROW(LoadOrCreateDataFile(unreachable, kType, kTexts, owner.Content(), NewFile), EStartupFailure);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, QStringLiteral("create failed Varnelo Horalux"));
}

TEST_F(DataFileTest, SaveReopensAClosedFileAndAFailedSaveDropsTheFileObject) {
    TextOwner owner;
    std::shared_ptr<TXMZFile> file;
    owner.value = QStringLiteral("first");
    const auto save = [&](const TvrnDomElement& e) { XMLSetValue(e, QStringLiteral("text"), owner.value); };
    const auto raise = [](const std::exception& e) { throw EOptionsSaveError(ExceptionToText(e)); };
    SaveDataFile(file, m_path, kType, save, false, NewFile, raise);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->GetCompress());

    owner.value = QStringLiteral("second");
    const auto failing = [](const TvrnDomElement&) { throw EVRNException("writer broke"); };
    EXPECT_THROW(SaveDataFile(file, m_path, kType, failing, false, NewFile, raise), EOptionsSaveError);
    EXPECT_FALSE(file) << "the failed file object is dropped";

    SaveDataFile(file, m_path, kType, save, true, NewFile, raise);
    file.reset();
    TextOwner reread;
    LoadOrCreateDataFile(m_path, kType, kTexts, reread.Content(), NewFile);
    EXPECT_EQ(reread.value, QStringLiteral("second"));
}

// ---- saving everything

struct Step {
    int failuresLeft = 0;
    int runs = 0;
    void Run() {
        ++runs;
        if (failuresLeft > 0) {
            --failuresLeft;
            throw EVRNException("disk full");
        }
    }
};

class SaveAllTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void TearDown() override { SetUp(); }
    std::vector<TSaveStep> Steps() {
        return {{"options failed", [this] { options.Run(); }},
                {"activities failed", [this] { activities.Run(); }},
                {"work data failed", [this] { work.Run(); }}};
    }
    Step options, activities, work;
};

TEST_F(SaveAllTest, AFailingStepNeverKeepsTheOthersFromRunning) {
    options.failuresLeft = 1; // fails once, then the second try succeeds without a question
    EXPECT_TRUE(RunSaveSteps(Steps(), false));
    EXPECT_EQ(options.runs, 2);
    EXPECT_EQ(activities.runs, 1);
    EXPECT_EQ(work.runs, 1);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(SaveAllTest, RepeatedFailureAsksRetryOrSaveLaterAndRetryRunsAgain) {
    activities.failuresLeft = 3;
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Retry); // fails a third time
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Retry); // then succeeds
    EXPECT_TRUE(RunSaveSteps(Steps(), false));
    EXPECT_EQ(activities.runs, 4);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, QStringLiteral("activities failed"));
    EXPECT_EQ(TMessageBoxSeam::History()[0].buttons, Retry | SaveLater | Details);
    EXPECT_EQ(TMessageBoxSeam::History()[0].details, QStringLiteral("EVRNException: disk full"));
}

TEST_F(SaveAllTest, AtShutdownTheQuestionOffersIgnoreAndGivingUpReportsIt) {
    options.failuresLeft = 5;
    work.failuresLeft = 5;
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Ignore);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Ignore);
    EXPECT_FALSE(RunSaveSteps(Steps(), true));
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].buttons, Retry | Ignore | Details);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, QStringLiteral("options failed"));
    EXPECT_EQ(TMessageBoxSeam::History()[1].text, QStringLiteral("work data failed"));
    EXPECT_EQ(activities.runs, 1);
}

} // namespace
