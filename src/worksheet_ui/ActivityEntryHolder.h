#pragma once

#include "model/EntryInterfaces.h"
#include "worksheet_ui/StringGrid.h"

/// The object of a worksheet grid row: the row's time entry.
class TActivityEntryHolder : public TGridRowObject {
public:
    explicit TActivityEntryHolder(ActivityEntryPtr entry) : m_entry(std::move(entry)) {}
    const ActivityEntryPtr& Entry() const { return m_entry; }

private:
    ActivityEntryPtr m_entry;
};

/// The entry of a grid row; nullptr for the new-line row, a row out of range or no grid.
inline ActivityEntryPtr EntryOfRow(const TvrnStringGrid* grid, int row) {
    if (!grid)
        return nullptr;
    const auto* holder = dynamic_cast<const TActivityEntryHolder*>(grid->RowObject(row));
    return holder ? holder->Entry() : nullptr;
}
