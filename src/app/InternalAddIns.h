#pragma once

// The program's table of built-in add-ins, in their fixed order.

class TInternalAddInManager;

/// The process-wide table, filled on first use.
TInternalAddInManager& ProgramInternalAddIns();
