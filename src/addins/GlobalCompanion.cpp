#include "addins/GlobalCompanion.h"

#include "addins/Companion.h"
#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"

using namespace HoraluxSDK;

void RaiseNotOffered(const char* member) {
    throw EVRNException(QString::fromLatin1(member) + QStringLiteral(" is not available to add-ins in this version"));
}

namespace {

TGlobalCompanionParts& Parts() {
    static TGlobalCompanionParts parts;
    return parts;
}

class TGlobalCompanion : public TCompanion<Global_, IApplication_> {
public:
    using TCompanion::TCompanion;

    HXRESULT GetCurrentWindow(int32_t* result) noexcept override {
        return GuardHXCall([&] {
            if (!result)
                throw EUnassignedArgumentError(QStringLiteral("Global.GetCurrentWindow"));
            QWidget* window = Get().GetCurrentWindow();
            *result = window && Parts().windowNumber ? static_cast<int32_t>(Parts().windowNumber(window)) : 0;
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
    HXRESULT AddCurrentWindow(int32_t) noexcept override {
        return GuardHXCall([] { RaiseNotOffered("Global.AddCurrentWindow"); });
    }
    HXRESULT get_CanShowWindow(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            if (!value)
                throw EUnassignedArgumentError(QStringLiteral("Global.CanShowWindow"));
            *value = Get().CanShowWindow() ? HX_TRUE : HX_FALSE;
        });
    }
    HXRESULT get_PlannedBreaks(IHXPlannedBreakList** value) noexcept override {
        return NotOffered(value, "Global.PlannedBreaks");
    }
    HXRESULT get_Storage(IHXStorage** value) noexcept override { return NotOffered(value, "Global.Storage"); }
    HXRESULT RemoveCurrentWindow(int32_t) noexcept override {
        return GuardHXCall([] { RaiseNotOffered("Global.RemoveCurrentWindow"); });
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
