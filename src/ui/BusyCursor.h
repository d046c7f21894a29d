#pragma once

// The busy cursor of long operations (loading and saving, tests, reports, exports). Operations
// nest: each holds a TBusyCursor for its duration. The first shows the busy cursor; when the
// outermost one ends, the normal cursor comes back 50 ms later, so that operations that follow
// one another closely do not make the cursor flicker. Because it is released in its destructor,
// the cursor also comes back when an exception passes.

class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

    /// How many operations hold the busy cursor now.
    static int Depth();
    /// Whether the busy cursor is shown (also during the 50 ms after the outermost end).
    static bool Shown();
    /// Ends the 50 ms wait at once (tests; the program's end).
    static void RestoreNow();
};
