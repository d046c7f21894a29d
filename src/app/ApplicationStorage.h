#pragma once

// The storage side of the controller: the provider tables and the storage root. The storage
// joins the program here; until its interfaces are part of the program the tables stay empty and
// the controller has no work data to save.

#include <memory>

struct TProviderTables;

std::unique_ptr<TProviderTables> NewProviderTables();
void ClearProviderTables(TProviderTables& tables);

struct TProviderTables {
    // Filled with the storage and entry provider registries when the storage joins.
};
