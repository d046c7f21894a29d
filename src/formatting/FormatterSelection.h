#pragma once

// What the date and the duration halves of the formatting options share: the names of their
// definitions and selection lists, and the selection kept as a value list of formatter IDs.

#include "foundation/Log.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <QString>
#include <exception>
#include <memory>

inline const QString FormatterDefinitionsName = QStringLiteral("formatter definitions");
inline const QString FormatterSelectionName = QStringLiteral("formatter selection");

/// Adds to selection the definitions whose IDs the "formatter selection" value list of list
/// names, in that order. IDs that are unknown or unreadable are skipped (and logged under where).
template <typename ListPtr>
void ReadFormatterSelection(const std::shared_ptr<IHXPropertyList_>& list, const ListPtr& definitions,
                            const ListPtr& selection, const QString& where) {
    const auto ids = FindValueListDef(list, FormatterSelectionName, nullptr);
    for (int i = 0; ids && i < ids->Count(); ++i) {
        try {
            if (const auto formatter = definitions->FindById(GetGUIDDef(ids->Items(i), TGUID())))
                selection->Add(formatter);
        } catch (const std::exception& e) {
            LogException(where, e);
        }
    }
}

/// An empty selection receives every definition.
template <typename ListPtr> void SelectAllIfEmpty(const ListPtr& definitions, const ListPtr& selection) {
    if (selection->Count() > 0)
        return;
    for (int i = 0; i < definitions->Count(); ++i)
        selection->Add(definitions->Items(i));
}

/// Writes the definitions and the selection's IDs into list.
template <typename ListPtr>
void WriteFormatterLists(IHXPropertyList_& list, const ListPtr& definitions, const ListPtr& selection) {
    list.Items(FormatterDefinitionsName)->AsPropertyList()->Assign(definitions->SaveToPropertyList());
    const auto ids = list.Items(FormatterSelectionName)->AsValueList();
    for (int i = 0; i < selection->Count(); ++i)
        ids->AddItem()->SetAsGUID(selection->Items(i)->Id());
}
