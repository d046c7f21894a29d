#pragma once

// The report tests' data (reports/ReportFixture.h) behind an application as the report windows
// reach it: storage, activity tree, calendar, formatters and the options sections.

#include "reports/ReportFixture.h"

#include "model/PropertyList.h"
#include "support/StubApplication.h"

#include <QHash>

class ReportApplication : public StubApplication {
public:
    explicit ReportApplication(ReportFixture& data) : m_data(data) {}

    std::shared_ptr<IHXCalendar_> GetCalendar() override { return m_data.m_sources.calendar; }
    std::shared_ptr<IHXActivityTree_> GetActivityTree() override { return m_data.m_tree; }
    QWidget* GetCurrentWindow() override { return m_current.isEmpty() ? nullptr : m_current.last(); }
    void AddCurrentWindow(QWidget* window) override { m_current.append(window); }
    void RemoveCurrentWindow(QWidget* window) override { m_current.removeAll(window); }
    PropertyListPtr GetOptions(const QString& section) override { return m_options->Items(section)->AsPropertyList(); }
    void ApplyOptions(const QString& section) override { applied.append(section); }
    std::shared_ptr<IHXTypedStorage_> GetTypedStorage() override { return m_data.m_sources.storage; }
    std::shared_ptr<TFormattingOptions> GetFormattingOptions() override {
        return std::dynamic_pointer_cast<TFormattingOptions>(m_data.m_sources.formatting);
    }

    QStringList applied;

private:
    ReportFixture& m_data;
    std::shared_ptr<TPropertyList> m_options = std::make_shared<TPropertyList>();
    QList<QWidget*> m_current;
};
