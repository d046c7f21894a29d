#pragma once

// A storage folder with an activity tree ("Com"mon" holding "Meeting", and "=SUM(A1)") for the
// export tests; entries are booked as the tracking dialog books them.

#include "foundation/DateTime.h"
#include "model/Activity.h"
#include "model/ActivityBooker.h"
#include "model/ActivityList.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "storage/StorageHost.h"
#include "support/TestEnvironment.h"

#include <memory>

class ExportFixture {
public:
    ExportFixture() : m_tree(TActivityTree::Create()), m_host(m_home.Path(QStringLiteral("storage"))) {
        m_common = m_tree->Childs()->AddNew();
        m_common->SetName(QStringLiteral("Com\"mon"));
        m_meeting = m_common->Childs()->AddNew();
        m_meeting->SetName(QStringLiteral("Meeting"));
        m_formula = m_tree->Childs()->AddNew();
        m_formula->SetName(QStringLiteral("=SUM(A1)"));
    }
    ~ExportFixture() {
        m_meeting.reset();
        m_common.reset();
        m_formula.reset();
        ReleaseAndCleanup(m_tree);
    }

    static double T(int hours, int minutes = 0) { return (hours * 60 + minutes) / 1440.0; }

    /// The locator of an activity of the tree, with its parents.
    ActivityLocatorPtr Locator(const ActivityPtr& activity) {
        auto locator = std::make_shared<TActivityLocator>();
        locator->SetActivity(activity);
        if (activity == m_meeting)
            locator->AddParentActivity(m_common->ID());
        return locator;
    }

    /// Books from..to (date-times) on the activity, interruptions taken out of it.
    void Book(double from, double to, const ActivityPtr& activity, const ActivityPtr& interruption = nullptr,
              double interruptionLength = 0) {
        TActivityBooker booker;
        booker.SetFrom(from);
        booker.SetTo(to);
        booker.AddItem(Locator(activity), to - from);
        if (interruption)
            booker.AddInterruption(Locator(interruption), interruptionLength);
        booker.Book(*m_host.GetStorage());
    }

    TempHome m_home;
    std::shared_ptr<TActivityTree> m_tree;
    TStorageHost m_host;
    ActivityPtr m_common;
    ActivityPtr m_meeting;
    ActivityPtr m_formula;
};
