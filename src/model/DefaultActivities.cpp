#include "model/DefaultActivities.h"

#include "foundation/Translation.h"
#include "model/Activity.h"
#include "model/ActivityTree.h"
#include "model/PropertyList.h"

#include "foundation/VRNHash.h"

namespace {

TVRNGUIDWideStringHash& Names() {
    static TVRNGUIDWideStringHash names(30);
    return names;
}

struct DefaultActivityRow {
    const char* name;
    const char* id;
    const char* parentId; // nullptr for the root list
    bool isBreak;
    int imageIndex; // -1: none
};

// Translation markers: the names are looked up in the catalogue when the tree is built.
constexpr DefaultActivityRow DefaultRows[] = {
    {TrNoop("Common"), "{1F1143ED-069A-4F31-AC56-E062AB61009B}", nullptr, false, -1},
    {TrNoop("Meeting"), "{B40C0736-B5B4-446E-AA59-50EDA798BF1E}", "{1F1143ED-069A-4F31-AC56-E062AB61009B}", false, -1},
    {TrNoop("Administration"), "{BD596802-7F31-42E8-BA89-1822A7E48C1D}", "{1F1143ED-069A-4F31-AC56-E062AB61009B}",
     false, -1},
    {TrNoop("Travel"), "{D3A3B180-9B8D-4AF9-8846-10E471CF6A38}", "{1F1143ED-069A-4F31-AC56-E062AB61009B}", false, -1},
    {TrNoop("Vacation"), "{EC164DE0-C147-4C02-9616-62DCA2BE2199}", "{1F1143ED-069A-4F31-AC56-E062AB61009B}", false, 80},
    {TrNoop("Projects"), "{5E23C195-08BA-44B4-AB86-C13AF0D95B8B}", nullptr, false, -1},
    {TrNoop("Add your projects here"), "{AD10F501-4682-40D4-9D2C-CFD3CC6E55DD}",
     "{5E23C195-08BA-44B4-AB86-C13AF0D95B8B}", false, -1},
    {TrNoop("Breaks"), "{CED7DE1E-1C1B-4613-BC4A-B652377B8F4E}", nullptr, true, -1},
    {TrNoop("Lunch"), "{DE0F0C40-C4F7-4C6D-A027-AA3F05BC94D0}", "{CED7DE1E-1C1B-4613-BC4A-B652377B8F4E}", true, -1},
    {TrNoop("Private"), "{3FD0FE9D-029B-4343-9A15-9C4E56392E39}", "{CED7DE1E-1C1B-4613-BC4A-B652377B8F4E}", true, -1},
};

} // namespace

QString DefaultActivityName(const TGUID& id) {
    return Names().GetValue(id);
}

void SetDefaultActivityName(const TGUID& id, const QString& name) {
    Names().SetValue(id, name);
}

void ClearDefaultActivityNames() {
    Names().Clear();
}

void BuildDefaultActivityTree(const std::shared_ptr<TActivityTree>& tree) {
    for (const auto& row : DefaultRows) {
        const TGUID id = TGUID::Constant(row.id);
        auto activity = TActivity::Create(tree, id);
        SetDefaultActivityName(id, Tr(row.name));
        activity->SetIsBreak(row.isBreak);
        if (row.imageIndex >= 0)
            activity->Values()->Items(ActivityValueImageIndex)->SetAsInteger(row.imageIndex);
        tree->AddChild(row.parentId ? tree->FindActivity(TGUID::Constant(row.parentId)) : nullptr, activity);
    }
}
