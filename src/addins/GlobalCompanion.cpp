#include "addins/GlobalCompanion.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"
#include "addins/PlannedBreakCompanions.h"
#include "addins/StorageCompanions.h"
#include "model/PropertyValueList.h"
#include "tracking/TrackingManagerLinkInterface.h"

#include <QCoreApplication>

using namespace HoraluxSDK;

void RaiseNotOffered(const char* member) {
    throw EVRNException(QString::fromLatin1(member) + QStringLiteral(" is not available to add-ins in this version"));
}

namespace {

TGlobalCompanionParts& Parts() {
    static TGlobalCompanionParts parts;
    return parts;
}

/// Writes the application's planned breaks to the options section the program reads them from
/// (the Work options page, the options file, the tracking manager), and lets the tracking manager
/// load them again from the message loop.
TPlannedBreaksChanged PlannedBreaksWriter(const std::weak_ptr<IApplication_>& application,
                                          const std::shared_ptr<TPlannedBreakList>& breaks) {
    const std::weak_ptr<TPlannedBreakList> weakBreaks = breaks;
    auto reloadPending = std::make_shared<bool>(false);
    return [application, weakBreaks, reloadPending] {
        const std::shared_ptr<IApplication_> app = application.lock();
        const std::shared_ptr<TPlannedBreakList> list = weakBreaks.lock();
        // The program replaced its list (the options were applied) or ended: nothing to write.
        if (!app || !list || app->GetPlannedBreaks() != list)
            return;
        // Reading the breaks changes nothing: only other content is written and reloaded.
        const PropertyListPtr section = app->GetOptions(PlannedBreaksSectionName);
        const auto content = std::make_shared<TPropertyValueList>();
        list->SaveToValueList(content);
        const std::shared_ptr<IHXProperty_> stored = section->Find(PlannedBreaksSectionName);
        if (stored && stored->DataType() == ::hxpdtValueList && stored->AsValueList()->Equals(content))
            return;
        SavePlannedBreaksToSection(*list, section);
        if (*reloadPending || !QCoreApplication::instance())
            return;
        *reloadPending = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [application, reloadPending] {
                *reloadPending = false;
                if (const std::shared_ptr<IApplication_> app = application.lock())
                    if (const std::shared_ptr<IHXTrackingManagerLink> manager = app->GetTrackingManager())
                        manager->ResetTrackingData();
            },
            Qt::QueuedConnection);
    };
}

class TGlobalCompanion : public TCompanion<Global_, IApplication_> {
public:
    using TCompanion::TCompanion;

    HXRESULT GetCurrentWindow(int32_t* result) noexcept override {
        return GuardHXCall([&] {
            if (!result)
                throw EUnassignedArgumentError(QStringLiteral("Global.GetCurrentWindow"));
            *result = Parts().currentWindow ? Parts().currentWindow(Get()) : 0;
        });
    }
    /// The section as the program keeps it; a section that does not exist yet is created empty.
    HXRESULT get_Options(HXBSTR section, IHXPropertyList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Global.Options");
            const std::shared_ptr<IHXPropertyList_> options = Get().GetOptions(FromHXString(section));
            if (!options)
                throw EVRNException(QStringLiteral("Global.Options: the options are not available yet"));
            *value = NewPropertyListCompanion(options);
        });
    }
    HXRESULT get_ActivityTree(IHXActivityTree** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Global.ActivityTree");
            const ActivityTreePtr tree = Get().GetActivityTree();
            if (!tree)
                throw EVRNException(QStringLiteral("Global.ActivityTree: the activity tree is not available yet"));
            *value = NewActivityTreeCompanion(tree);
        });
    }
    HXRESULT get_Tools(IHXTools** value) noexcept override { return Made(value, Parts().tools, "Global.Tools"); }
    HXRESULT get_TrayMenu(IHXMenuControl** value) noexcept override {
        return Made(value, Parts().trayMenu, "Global.TrayMenu");
    }
    HXRESULT AddCurrentWindow(int32_t wnd) noexcept override {
        return GuardHXCall([&] {
            if (!Parts().addWindow)
                RaiseNotOffered("Global.AddCurrentWindow");
            Parts().addWindow(Get(), wnd);
        });
    }
    HXRESULT get_CanShowWindow(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("Global.CanShowWindow"));
            *value = Get().CanShowWindow() ? HX_TRUE : HX_FALSE;
        });
    }
    HXRESULT get_PlannedBreaks(IHXPlannedBreakList** value) noexcept override {
        if (value)
            *value = nullptr;
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("Global.PlannedBreaks"));
            const std::shared_ptr<TPlannedBreakList> breaks = Get().GetPlannedBreaks();
            if (!breaks)
                throw EVRNException(QStringLiteral("Global.PlannedBreaks: the planned breaks are not ready"));
            *value = NewPlannedBreakListCompanion(breaks, PlannedBreaksWriter(OwnerPtr(), breaks));
        });
    }
    HXRESULT get_Storage(IHXStorage** value) noexcept override {
        if (value)
            *value = nullptr;
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("Global.Storage"));
            const std::shared_ptr<IHXStorage_> storage = Get().GetStorage();
            if (!storage)
                throw EVRNException(QStringLiteral("Global.Storage: the program has no storage"));
            // The storage works through the application that made it: the application stays.
            *value = NewStorageCompanion(storage, OwnerPtr());
        });
    }
    HXRESULT RemoveCurrentWindow(int32_t wnd) noexcept override {
        return GuardHXCall([&] {
            if (!Parts().removeWindow)
                RaiseNotOffered("Global.RemoveCurrentWindow");
            Parts().removeWindow(Get(), wnd);
        });
    }

private:
    template <typename T> HXRESULT NotOffered(T** value, const char* member) {
        if (value)
            *value = nullptr;
        return GuardHXCall([member] { RaiseNotOffered(member); });
    }
    template <typename T, typename Factory> HXRESULT Made(T** value, const Factory& factory, const char* member) {
        if (!value)
            return HX_E_POINTER;
        *value = nullptr;
        return GuardHXCall([&] {
            if (!factory)
                RaiseNotOffered(member);
            *value = factory(OwnerPtr());
        });
    }
};

} // namespace

Global_* NewGlobalCompanion(const std::shared_ptr<IApplication_>& application) {
    if (!application)
        throw EUnassignedArgumentError(QStringLiteral("NewGlobalCompanion"));
    return new TGlobalCompanion(application);
}

void SetGlobalCompanionParts(TGlobalCompanionParts parts) {
    Parts() = std::move(parts);
}
