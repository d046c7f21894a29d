// The add-in manager over add-ins that only report what they are asked: which add-ins take part
// and in which order, what the known list holds, and the built-in add-in base.

#include "addins/AddInManager.h"

#include "addins/AddIn.h"
#include "addins/InternalAddInManager.h"
#include "foundation/VRNException.h"
#include "model/PropertyList.h"
#include "support/ExceptionText.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <string>

namespace {

/// An add-in that says what it was made to say and writes each Loaded and launch into a journal.
class TFakeAddIn : public IHXAddIn {
public:
    TFakeAddIn(QString id, QStringList needs, bool allowDeactivate, QStringList* journal)
        : m_id(std::move(id)), m_requires(std::move(needs)), m_allowDeactivate(allowDeactivate), m_journal(journal) {}

    QString GetID() override { return m_id; }
    QString GetName() override { return m_id; }
    bool AllowDeactivate() override { return m_allowDeactivate; }
    int RequiresAddInsCount() override {
        if (failWhenAsked)
            throw EVRNException(QStringLiteral("requirements unreadable"));
        return static_cast<int>(m_requires.size());
    }
    QString GetRequiredAddInsID(int index) override { return m_requires.at(index); }
    void Loaded() override {
        if (failLoaded)
            throw EVRNException(QStringLiteral("cannot load"));
        *m_journal << QStringLiteral("Loaded ") + m_id;
    }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override {
        *m_journal << QStringLiteral("Launch ") + m_id;
        m_application = application;
    }
    QString GetAboutText() override { return QString(); }

    bool failWhenAsked = false;
    bool failLoaded = false;

private:
    QString m_id;
    QStringList m_requires;
    bool m_allowDeactivate;
    QStringList* m_journal;
    std::shared_ptr<IApplication_> m_application;
};

/// How a case describes one add-in.
struct FakeAddInRow {
    FakeAddInRow(const char* id_, QStringList needs_ = {}, bool allowDeactivate_ = true, bool failWhenAsked_ = false)
        : id(QString::fromLatin1(id_)), needs(std::move(needs_)), allowDeactivate(allowDeactivate_),
          failWhenAsked(failWhenAsked_) {}
    QString id;
    QStringList needs;
    bool allowDeactivate;
    bool failWhenAsked;
};

/// A table of built-in add-in classes making fakes, in the given order.
class FakeTable {
public:
    explicit FakeTable(const std::vector<FakeAddInRow>& rows) {
        for (const FakeAddInRow& row : rows)
            table.RegisterInternalAddIn(TInternalAddInClass{row.id, [this, row] {
                                                                auto addIn = std::make_shared<TFakeAddIn>(
                                                                    row.id, row.needs, row.allowDeactivate, &journal);
                                                                addIn->failWhenAsked = row.failWhenAsked;
                                                                return AddInPtr(addIn);
                                                            }});
    }

    TInternalAddInManager table;
    QStringList journal;
};

PropertyListPtr AddInsSection(const std::map<QString, bool>& switches) {
    auto section = std::make_shared<TPropertyList>();
    for (const auto& [id, on] : switches)
        section->Items(id)->SetAsBoolean(on);
    return section;
}

/// The texts joined by blanks, so that a failure prints them readably.
std::string Joined(const QStringList& texts) {
    return texts.join(u' ').toStdString();
}

std::string IDs(const std::vector<AddInPtr>& list) {
    QStringList ids;
    for (const AddInPtr& addIn : list)
        ids << addIn->GetID();
    return Joined(ids);
}

std::string KnownIDs(const TAddInManager& manager) {
    QStringList ids;
    for (int i = 0; i < manager.GetAddInCount(); ++i)
        ids << manager.GetAddIn(i)->GetID();
    return Joined(ids);
}

struct OrderCase {
    const char* name;
    std::vector<FakeAddInRow> addIns;
    std::map<QString, bool> switches;
    QStringList active;
};

TEST(AddInManager, SwitchedOffAndRequirementsGiveTheActiveOrder) {
    const std::vector<OrderCase> cases = {
        {"no requirements keep the registration order", {{"A"}, {"B"}, {"C"}}, {}, {"A", "B", "C"}},
        {"a chain stands after what it requires", {{"A", {"B"}}, {"B", {"C"}}, {"C"}}, {}, {"C", "B", "A"}},
        {"requirements compare without case", {{"{a}", {"{B}"}}, {"{b}"}}, {}, {"{b}", "{a}"}},
        {"a requirement already placed is met", {{"C"}, {"A", {"C"}}}, {}, {"C", "A"}},
        {"an add-in required by two is placed once", {{"A", {"C"}}, {"B", {"C"}}, {"C"}}, {}, {"C", "A", "B"}},
        {"a missing requirement leaves the add-in out", {{"A"}, {"C", {"X"}}, {"B"}}, {}, {"A", "B"}},
        {"one left out takes those after it that need it", {{"C", {"X"}}, {"D", {"C"}}, {"E"}}, {}, {"E"}},
        // Placing C for D leaves C out; D would run without C, so it is left out too.
        {"one left out takes those before it that need it", {{"D", {"C"}}, {"C", {"X"}}, {"E"}}, {}, {"E"}},
        {"a cycle leaves out all its members", {{"A", {"B"}}, {"B", {"A"}}, {"E"}}, {}, {"E"}},
        {"a longer cycle too", {{"A", {"B"}}, {"B", {"C"}}, {"C", {"A"}}, {"D", {"A"}}, {"E"}}, {}, {"E"}},
        {"the second requirement missing", {{"A", {"B", "X"}}, {"B"}}, {}, {"B"}},
        {"switched off", {{"A"}, {"B"}, {"C"}}, {{"B", false}, {"C", true}}, {"A", "C"}},
        {"switched off takes those that need it", {{"A", {"B"}}, {"B"}, {"C"}}, {{"B", false}}, {"C"}},
        {"may not be switched off: listed as false, still active",
         {{"A"}, {"N", {}, false}, {"B", {"N"}}},
         {{"N", false}, {"A", false}},
         {"N", "B"}},
        {"raising while being ordered leaves out the add-in and those that need it",
         {{"A"}, {"R", {}, true, true}, {"B", {"R"}}, {"C"}},
         {},
         {"A", "C"}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTable fakes(c.addIns);
        TAddInManager manager(fakes.table);
        manager.LoadAddIns(AddInsSection(c.switches));
        EXPECT_EQ(IDs(manager.ActiveAddIns()), Joined(c.active));
        // The known list: every add-in created, in creation order.
        QStringList created;
        for (const FakeAddInRow& row : c.addIns)
            created << row.id;
        EXPECT_EQ(KnownIDs(manager), Joined(created));
        // Loaded in the active order.
        QStringList loaded;
        for (const QString& id : c.active)
            loaded << QStringLiteral("Loaded ") + id;
        EXPECT_EQ(Joined(fakes.journal), Joined(loaded));
    }
}

TEST(AddInManager, LaunchGoesInTheActiveOrderAndFindLooksOnlyAtActiveAddIns) {
    FakeTable fakes({{"{A}", {"{B}"}}, {"{B}"}, {"{OFF}"}});
    TAddInManager manager(fakes.table);
    manager.LoadAddIns(AddInsSection({{"{OFF}", false}}));
    fakes.journal.clear();
    manager.LaunchAddIns(nullptr);
    EXPECT_EQ(Joined(fakes.journal), "Launch {B} Launch {A}");

    EXPECT_EQ(manager.FindAddIn(QStringLiteral("{a}")), manager.ActiveAddIns()[1]);
    EXPECT_EQ(manager.FindAddIn(QStringLiteral("{OFF}")), nullptr) << "switched off: known, not active";
    EXPECT_EQ(manager.FindAddIn(QString()), nullptr);
    EXPECT_EQ(manager.GetAddIn(2)->GetID(), QStringLiteral("{OFF}"));
    EXPECT_THROW(manager.GetAddIn(3), EVRNListError);
    EXPECT_THROW(manager.GetAddIn(-1), EVRNListError);
}

TEST(AddInManager, AFailureInLoadedIsRaised) {
    TInternalAddInManager table;
    QStringList journal;
    table.RegisterInternalAddIn(TInternalAddInClass{QStringLiteral("failing"), [&journal] {
                                                        auto addIn = std::make_shared<TFakeAddIn>(
                                                            QStringLiteral("F"), QStringList(), true, &journal);
                                                        addIn->failLoaded = true;
                                                        return AddInPtr(addIn);
                                                    }});
    TAddInManager manager(table);
    EXPECT_THROW(manager.LoadAddIns(AddInsSection({})), EVRNException);
}

/// Names as the user and the machine list them; a name starting with "bad" cannot be created.
class FakeExternalSource : public IExternalAddInSource {
public:
    explicit FakeExternalSource(QStringList names) : m_names(std::move(names)) {}
    QStringList ListAddInNames() override { return m_names; }
    AddInPtr CreateAddIn(const QString& name) override {
        created << name;
        if (name.startsWith(QLatin1StringView("bad")))
            throw EVRNException(QStringLiteral("class not registered"));
        return std::make_shared<TFakeAddIn>(name, QStringList(), true, &journal);
    }
    QStringList created;
    QStringList journal;

private:
    QStringList m_names;
};

TEST(AddInManager, AddInsOfOtherLibrariesComeAfterTheBuiltInOnesEachNameOnce) {
    FakeTable fakes(std::vector<FakeAddInRow>{FakeAddInRow("{INTERNAL}")});
    auto external = std::make_shared<FakeExternalSource>(
        QStringList{QStringLiteral("Maker.Report"), QStringLiteral("bad.One"), QStringLiteral("maker.report"),
                    QStringLiteral("Other.AddIn")});
    TAddInManager manager(fakes.table, external);
    manager.LoadAddIns(AddInsSection({}));
    // The user's listing comes first and wins; the machine's second listing of it is not created.
    EXPECT_EQ(Joined(external->created), "Maker.Report bad.One Other.AddIn");
    EXPECT_EQ(IDs(manager.ActiveAddIns()), "{INTERNAL} Maker.Report Other.AddIn");
    EXPECT_EQ(KnownIDs(manager), "{INTERNAL} Maker.Report Other.AddIn");
}

TEST(AddInManager, ClearReleasesTheAddInsAndWithThemWhatTheyKeep) {
    FakeTable fakes({{"A"}, {"B"}});
    TAddInManager manager(fakes.table);
    manager.LoadAddIns(AddInsSection({{"B", false}}));
    const std::weak_ptr<IHXAddIn> active = manager.ActiveAddIns()[0];
    const std::weak_ptr<IHXAddIn> switchedOff = manager.GetAddIn(1);
    manager.Clear();
    EXPECT_TRUE(active.expired());
    EXPECT_TRUE(switchedOff.expired());
    EXPECT_EQ(manager.GetAddInCount(), 0);
    EXPECT_TRUE(manager.ActiveAddIns().empty());
}

// --- the base of the built-in add-ins

class TNamelessAddIn : public TInternalAddIn {};

class TFixedAddIn : public TInternalAddIn {
public:
    explicit TFixedAddIn(bool allowDeactivate) : m_allowDeactivate(allowDeactivate) {}
    bool AllowDeactivate() override { return m_allowDeactivate; }

private:
    bool m_allowDeactivate;
};

TEST(InternalAddIn, DefaultsAndTheAboutText) {
    auto nameless = std::make_shared<TNamelessAddIn>();
    EXPECT_EQ(MessageOf<EVRNException>([&] { nameless->GetID(); }), "abstract: TInternalAddIn.GetID TNamelessAddIn");
    EXPECT_EQ(MessageOf<EVRNException>([&] { nameless->GetName(); }),
              "abstract: TInternalAddIn.GetName TNamelessAddIn");
    EXPECT_TRUE(nameless->AllowDeactivate());
    EXPECT_EQ(nameless->RequiresAddInsCount(), 0);
    EXPECT_EQ(nameless->GetRequiredAddInsID(0), QString());
    EXPECT_THROW(nameless->LaunchAddIn(nullptr), EUnassignedArgumentError);

    EXPECT_EQ(std::make_shared<TFixedAddIn>(true)->GetAboutText(),
              QStringLiteral("Base add-in for Varnelo Horalux. This add in is integrated but can be deactivated."));
    EXPECT_EQ(std::make_shared<TFixedAddIn>(false)->GetAboutText(),
              QStringLiteral("Base add-in for Varnelo Horalux. This add in is integrated and cannot be deactivated."));
}

TEST(InternalAddInManager, CreatesAFreshInstanceOfEachClassInRegistrationOrder) {
    TInternalAddInManager table;
    table.RegisterInternalAddIn<TNamelessAddIn>(QStringLiteral("TNamelessAddIn"));
    EXPECT_THROW(table.RegisterInternalAddIn(TInternalAddInClass{QStringLiteral("nothing"), {}}),
                 EUnassignedArgumentError);
    ASSERT_EQ(table.Count(), 1);
    EXPECT_NE(table.CreateAddIn(0), table.CreateAddIn(0));
    EXPECT_THROW(table.CreateAddIn(1), EVRNListError);
}

} // namespace
