#pragma once

// A storage folder, an activity tree ("Work" with "Project", "Other", the break "Pause"), a
// calendar requiring 8:00 from Monday to Friday and the default formatters, in the German locale
// (Monday first day of the week) for the report tests.

#include "calendar/Calendar.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "model/Activity.h"
#include "model/ActivityBooker.h"
#include "model/ActivityList.h"
#include "model/ActivityLocator.h"
#include "model/ActivityTree.h"
#include "reports/ReportSources.h"
#include "storage/StorageHost.h"
#include "support/TestEnvironment.h"

#include <memory>
#include <ostream>

/// Readable texts in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class ReportFixture {
public:
    ReportFixture() : m_tree(TActivityTree::Create()), m_host(m_home.Path(QStringLiteral("storage"))) {
        m_work = m_tree->Childs()->AddNew();
        m_work->SetName(QStringLiteral("Work"));
        m_project = m_work->Childs()->AddNew();
        m_project->SetName(QStringLiteral("Project"));
        m_other = m_tree->Childs()->AddNew();
        m_other->SetName(QStringLiteral("Other"));
        m_pause = m_tree->Childs()->AddNew();
        m_pause->SetName(QStringLiteral("Pause"));
        m_pause->SetIsBreak(true);
        auto calendar = std::make_shared<TCalendar>();
        for (int day = 1; day <= 5; ++day)
            calendar->Week()->GetDay(day)->SetWorkTime(T(8));
        m_sources.storage = m_host.GetTypedStorage();
        m_sources.tree = m_tree;
        m_sources.calendar = calendar;
        auto formatting = std::make_shared<TFormattingOptions>();
        formatting->LoadFromPropertyList(nullptr);
        m_sources.formatting = formatting;
    }
    ~ReportFixture() {
        m_sources = {};
        m_work.reset();
        m_project.reset();
        m_other.reset();
        m_pause.reset();
        ReleaseAndCleanup(m_tree);
    }

    static double T(int hours, int minutes = 0) { return (hours * 60 + minutes) / 1440.0; }
    static double D(int year, int month, int day) { return EncodeDate(year, month, day); }

    ActivityLocatorPtr Locator(const ActivityPtr& activity) {
        auto locator = std::make_shared<TActivityLocator>();
        locator->SetActivity(activity);
        return locator;
    }

    /// Books length on the activity on date, from hour on.
    void Book(double date, const ActivityPtr& activity, double length, int hour = 8) {
        TActivityBooker booker;
        booker.SetFrom(date + T(hour));
        booker.SetTo(date + T(hour) + length);
        booker.AddItem(Locator(activity), length);
        booker.Book(*m_host.GetStorage());
    }

    ScopedUserLocale m_locale{QStringLiteral("de_DE")};
    TempHome m_home;
    std::shared_ptr<TActivityTree> m_tree;
    TStorageHost m_host;
    ActivityPtr m_work;
    ActivityPtr m_project;
    ActivityPtr m_other;
    ActivityPtr m_pause;
    TReportSources m_sources;
};
