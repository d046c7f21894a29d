#pragma once

#include <QString>

/// The build-information list that the About window shows on its "Modules" page. Each module
/// group of the program appends one section while the program starts, the main program last under
/// "Main Program"; a section is its name, ":", a line break, one line with the states of its
/// build options, and two line breaks.
void AppendBuildInformation(const QString& moduleName, const QString& optionsLine);
QString BuildInformation();
/// Forgets every section (for tests).
void ClearBuildInformation();

/// The options line of a module built with this compiler and these settings, for example
/// "debug build, Qt 6.4.2, GCC 12.2.0, sanitizers off".
QString BuildOptionsLine();

/// Appends the foundation library's section ("vrnCommonUnits").
void AppendFoundationBuildInformation();
