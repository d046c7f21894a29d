#include "CtlTestSupport.h"

#include "export/DataExport.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "model/ActivityList.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "model/DefaultActivities.h"
#include "model/Entry.h"
#include "storage/StorageHost.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

class ExportCommandsTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2007, 12, 31), QTime(18, 0))};
    ScopedUserLocale locale{QStringLiteral("en_US")};
    QString folder = home.Path(QStringLiteral("store"));

    CtlRun Export(const QString& from, const QString& to, const QString& format, QStringList more = {}) {
        return Ctl(QStringList{QStringLiteral("export"), QStringLiteral("--from"), from, QStringLiteral("--to"), to,
                               QStringLiteral("--format"), format, QStringLiteral("--storage"), folder} +
                   more);
    }

    /// Two years, 2006 and 2007, of entries written straight into the storage's day lists: on
    /// every weekday three to five entries of the default activities, added in a shuffled order.
    /// Returns "date start end" of each, as the export must show them.
    std::multiset<QString> WriteTwoYears() {
        // The activities file as the program's first start writes it.
        const CtlRun first =
            Ctl({QStringLiteral("entries"), QStringLiteral("book"), QStringLiteral("--from"),
                 QStringLiteral("2005-12-30 08:00"), QStringLiteral("--to"), QStringLiteral("2005-12-30 09:00"),
                 QStringLiteral("--activity"), QStringLiteral("Common"), QStringLiteral("--storage"), folder});
        EXPECT_EQ(first.code, 0) << first.err.toStdString();
        std::multiset<QString> written;
        std::shared_ptr<TActivityTree> tree = TActivityTree::Create();
        BuildDefaultActivityTree(tree);
        std::vector<ActivityLocatorPtr> locators;
        for (int i = 0; i < tree->Childs()->Count(); ++i) {
            auto locator = std::make_shared<TActivityLocator>();
            locator->SetActivity(tree->Childs()->Items(i));
            locators.push_back(locator);
        }
        QRandomGenerator random(20061231);
        {
            TStorageHost host(folder);
            auto typed = host.GetTypedStorage();
            for (QDate date(2006, 1, 1); date.year() < 2008; date = date.addDays(1)) {
                if (date.dayOfWeek() > 5)
                    continue;
                const DayEntryListPtr list = typed->GetDayEntries(DateFromQDate(date));
                std::vector<int> places{0, 1, 2, 3, 4};
                std::shuffle(places.begin(), places.end(), random);
                places.resize(3 + random.bounded(3));
                for (int slot : places) {
                    auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list->AddNew());
                    const double start = (8 + slot * 2) / 24.0;
                    entry->SetTime(start, start + 1.5 / 24.0);
                    entry->CalculateDuration();
                    entry->Locator()->Assign(locators[size_t(slot) % locators.size()]);
                    written.insert(date.toString(Qt::ISODate) + QLatin1Char(' ') + TimeToISOExport(start) +
                                   QLatin1Char(' ') + TimeToISOExport(start + 1.5 / 24.0));
                }
            }
            typed->Save();
        }
        ReleaseAndCleanup(tree);
        return written;
    }
};

TEST_F(ExportCommandsTest, TwoYearsExportEveryEntryOnceSortedAndAsTheWindowWritesThem) {
    const std::multiset<QString> written = WriteTwoYears();
    const CtlRun run = Export(QStringLiteral("2006-01-01"), QStringLiteral("2007-12-31"), QStringLiteral("utf8"));
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QList<QByteArray> lines = run.bytes.split('\n');
    ASSERT_EQ(lines.takeLast(), QByteArray()) << "the last line ends with CR LF too";
    std::multiset<QString> exported;
    QString previous;
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.endsWith('\r'));
        const QStringList fields = QString::fromUtf8(line.chopped(1)).split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 5) << line.toStdString();
        EXPECT_EQ(fields[4], QStringLiteral("1.50"));
        const QString key = fields[0] + QLatin1Char(' ') + fields[2] + QLatin1Char(' ') + fields[3];
        EXPECT_LT(previous, key) << "sorted, and no entry twice";
        previous = key;
        exported.insert(key);
    }
    EXPECT_EQ(exported, written);

    // The same bytes as the window's export, into a file and in the other formats.
    for (const auto& [name, format] : {std::pair{QStringLiteral("csv"), TExportFormat::Csv},
                                       std::pair{QStringLiteral("utf16"), TExportFormat::Utf16}}) {
        const QString file = home.Path(name + QStringLiteral(".out"));
        const CtlRun toFile = Export(QStringLiteral("2007-03-01"), QStringLiteral("2007-03-31"), name,
                                     {QStringLiteral("--output"), file});
        ASSERT_EQ(toFile.code, 0) << toFile.err.toStdString();
        EXPECT_TRUE(toFile.bytes.isEmpty());
        TStorageHost host(folder);
        std::shared_ptr<TActivityTree> tree = TActivityTree::Create();
        BuildDefaultActivityTree(tree);
        const QByteArray expected = ExportBytes(
            ExportEntries(*host.GetTypedStorage(), EncodeDate(2007, 3, 1), EncodeDate(2007, 3, 31)), tree, format);
        ReleaseAndCleanup(tree);
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), expected) << name.toStdString();
        EXPECT_GT(expected.size(), 100);
    }
}

TEST_F(ExportCommandsTest, WrongCommandLinesAndMissingFoldersAreRefused) {
    struct Case {
        QStringList args;
        int code;
        const char* message;
    };
    const QString missing = home.Path(QStringLiteral("nowhere"));
    const Case cases[] = {
        {{QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2006-01-01")}, 2, "needs --from"},
        {{QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2006-01-01"), QStringLiteral("--to"),
          QStringLiteral("2006-13-01"), QStringLiteral("--format"), QStringLiteral("csv")},
         2,
         "is not a date"},
        {{QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2006-01-01"), QStringLiteral("--to"),
          QStringLiteral("2006-02-01"), QStringLiteral("--format"), QStringLiteral("xls")},
         2,
         "is not one of csv, utf16, utf8"},
        {{QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2006-01-01"), QStringLiteral("--to"),
          QStringLiteral("2006-02-01"), QStringLiteral("--format"), QStringLiteral("csv"), QStringLiteral("--storage"),
          missing},
         1,
         "does not exist"},
    };
    for (const Case& c : cases) {
        const CtlRun run = Ctl(c.args);
        EXPECT_EQ(run.code, c.code) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.bytes.isEmpty());
    }
}

} // namespace
