#pragma once

#include <functional>

/// Why the message loop ended; the program entry writes its last log line from it.
enum class TProgramEnd {
    Normal,              ///< "Normal Program End"
    QuitByOtherInstance, ///< "Program quit by other instance"
};

TProgramEnd& ProgramEndReason();

/// The exit code the message loop ends with: 0, or 1 after a fatal start-up failure.
int& ProgramExitCode();

/// Ends the message loop with ProgramExitCode() (the loop may not be running yet; then the loop
/// ends as soon as it starts).
void TerminateApplication();

/// Replaces what TerminateApplication does (tests record the request instead of ending their
/// own loop); an empty function restores the default.
void SetTerminateApplicationHandler(std::function<void()> handler);
