#pragma once

/// Why the message loop ended; the program entry writes its last log line from it.
enum class TProgramEnd {
    Normal,              ///< "Normal Program End"
    QuitByOtherInstance, ///< "Program quit by other instance"
};

TProgramEnd& ProgramEndReason();

/// Ends the message loop with exit code 0 (the loop may not be running yet; then the loop ends as
/// soon as it starts).
void TerminateApplication();
