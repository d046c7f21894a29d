#pragma once

#include <cstdint>

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
///    program to quit;
/// 7. with every window and the controller gone, the report of leftover checked objects (tracked
///    from step 4 on).
/// "-h", "-help" or "--help" print the switches on standard output and end with exit code 0
/// before anything else happens (no display is needed for it).
/// extraLogLevels are added to the log's level mask (the test build logs the leftover objects).
int RunProgram(int argc, char** argv, std::uint32_t extraLogLevels = 0);
