#pragma once

// An application that offers nothing: every member answers empty, false or 0 and does nothing.
// Tests derive from it and override what their code under test reaches.

#include "addins/ApplicationInterface.h"

class StubApplication : public IApplication_ {
public:
    std::shared_ptr<IHXAddIn> FindAddIn(const QString&) override { return {}; }
    int GetAddInCount() override { return 0; }
    std::shared_ptr<IHXAddIn> GetAddIn(int) override { return {}; }
    std::shared_ptr<IHXAction_> CreateAction() override { return {}; }
    std::shared_ptr<IHXAction_> GetAction(const TGUID&) override { return {}; }
    std::shared_ptr<IHXMenuControl_> GetMenuController() override { return {}; }
    std::shared_ptr<IHXCalendar_> GetCalendar() override { return {}; }
    std::shared_ptr<IHXActivityTree_> GetActivityTree() override { return {}; }
    QWidget* GetCurrentWindow() override { return nullptr; }
    void AddCurrentWindow(QWidget*) override {}
    void RemoveCurrentWindow(QWidget*) override {}
    QString GetStoragePath() override { return {}; }
    void SaveAll() override {}
    PropertyListPtr GetOptions(const QString&) override { return {}; }
    std::shared_ptr<TOptionsPagesList> GetOptionsPagesList() override { return {}; }
    void RegisterEntryProvider(const std::shared_ptr<IHXEntryProvider_>&) override {}
    std::shared_ptr<IHXEntryProvider_> GetEntryProvider(const TGUID&) override { return {}; }
    void RegisterStorageProvider(const std::shared_ptr<IHXStorageProvider_>&) override {}
    std::shared_ptr<IHXStorageProvider_> GetStorageProvider(const TGUID&) override { return {}; }
    std::shared_ptr<IHXStorageProvider_> GetStorageProviderFor(const PropertyListPtr&) override { return {}; }
    void ApplyOptions(const QString&) override {}
    std::shared_ptr<IHXTrackingManagerLink> GetTrackingManager() override { return {}; }
    std::shared_ptr<IHXActivityLocator_> CreateActivityLocator() override { return {}; }
    std::shared_ptr<IHXStorage_> GetStorage() override { return {}; }
    std::shared_ptr<IHXTypedStorage_> GetTypedStorage() override { return {}; }
    bool IsTrayMenuActive() override { return false; }
    std::shared_ptr<TPlannedBreakList> GetPlannedBreaks() override { return {}; }
    std::shared_ptr<THXTools> GetTools() override { return {}; }
    std::shared_ptr<TFormattingOptions> GetFormattingOptions() override { return {}; }
    bool CanShowWindow() override { return true; }
    void RequestTrackingCheck() override {}
    void SetSplashText(const QString&) override {}
    void Quit() override {}
};
