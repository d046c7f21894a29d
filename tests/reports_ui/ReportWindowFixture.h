#pragma once

// The report tests' data (reports/ReportFixture.h) behind an application as the report windows
// reach it: storage, activity tree, calendar, formatters and the options sections.

#include "reports/ReportFixture.h"

#include "addins/ApplicationInterface.h"
#include "model/PropertyList.h"

#include <QHash>

class ReportApplication : public IApplication_ {
public:
    explicit ReportApplication(ReportFixture& data) : m_data(data) {}

    std::shared_ptr<IHXAddIn> FindAddIn(const QString&) override { return {}; }
    int GetAddInCount() override { return 0; }
    std::shared_ptr<IHXAddIn> GetAddIn(int) override { return {}; }
    std::shared_ptr<IHXAction_> CreateAction() override { return {}; }
    std::shared_ptr<IHXAction_> GetAction(const TGUID&) override { return {}; }
    std::shared_ptr<IHXMenuControl_> GetMenuController() override { return {}; }
    std::shared_ptr<IHXCalendar_> GetCalendar() override { return m_data.m_sources.calendar; }
    std::shared_ptr<IHXActivityTree_> GetActivityTree() override { return m_data.m_tree; }
    QWidget* GetCurrentWindow() override { return m_current.isEmpty() ? nullptr : m_current.last(); }
    void AddCurrentWindow(QWidget* window) override { m_current.append(window); }
    void RemoveCurrentWindow(QWidget* window) override { m_current.removeAll(window); }
    QString GetStoragePath() override { return {}; }
    void SaveAll() override {}
    PropertyListPtr GetOptions(const QString& section) override { return m_options->Items(section)->AsPropertyList(); }
    std::shared_ptr<TOptionsPagesList> GetOptionsPagesList() override { return {}; }
    void RegisterEntryProvider(const std::shared_ptr<IHXEntryProvider_>&) override {}
    std::shared_ptr<IHXEntryProvider_> GetEntryProvider(const TGUID&) override { return {}; }
    void RegisterStorageProvider(const std::shared_ptr<IHXStorageProvider_>&) override {}
    std::shared_ptr<IHXStorageProvider_> GetStorageProvider(const TGUID&) override { return {}; }
    std::shared_ptr<IHXStorageProvider_> GetStorageProviderFor(const PropertyListPtr&) override { return {}; }
    void ApplyOptions(const QString& section) override { applied.append(section); }
    std::shared_ptr<IHXTrackingManagerLink> GetTrackingManager() override { return {}; }
    std::shared_ptr<IHXActivityLocator_> CreateActivityLocator() override { return {}; }
    std::shared_ptr<IHXStorage_> GetStorage() override { return {}; }
    std::shared_ptr<IHXTypedStorage_> GetTypedStorage() override { return m_data.m_sources.storage; }
    bool IsTrayMenuActive() override { return false; }
    std::shared_ptr<TPlannedBreakList> GetPlannedBreaks() override { return {}; }
    std::shared_ptr<THXTools> GetTools() override { return {}; }
    std::shared_ptr<TFormattingOptions> GetFormattingOptions() override {
        return std::dynamic_pointer_cast<TFormattingOptions>(m_data.m_sources.formatting);
    }
    bool CanShowWindow() override { return true; }
    void RequestTrackingCheck() override {}
    void SetSplashText(const QString&) override {}
    void Quit() override {}

    QStringList applied;

private:
    ReportFixture& m_data;
    std::shared_ptr<TPropertyList> m_options = std::make_shared<TPropertyList>();
    QList<QWidget*> m_current;
};
