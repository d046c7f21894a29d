#pragma once

/// The program from process start to process end:
/// 1. XML back end (nothing is logged yet);
/// 2. command line: log settings, process-wide flags, the XML back end again (logged); "-quit"
///    sends the quit request and ends with exit code 0; otherwise "Command line processed";
/// 3. single instance: a second instance shows "Varnelo Horalux is already running." and ends
///    with exit code 0;
/// 4. build information;
/// 5. "---------------------------------", "", "Program Start"; the application object (with
///    LC_NUMERIC back to "C"), the invisible launch window, the message loop;
/// 6. "Normal Program End", or "Program quit by other instance" when another process asked the
///    program to quit.
int RunProgram(int argc, char** argv);
