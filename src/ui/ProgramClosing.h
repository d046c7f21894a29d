#pragma once

// Whether the program is closing. While it is, windows close through their Cancel path without
// asking anything: nobody may be there to answer, and a question that kept a window open would
// keep the program from ending (and from saving before it is killed).

/// Set once by the close of the program; never cleared while the process runs (tests reset it).
void SetProgramClosing(bool closing);
bool ProgramIsClosing();
