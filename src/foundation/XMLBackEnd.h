#pragma once

// The choice of the DOM back end behind the XML helpers. Only the in-process back end (OpenXML,
// built on pugixml) exists on this platform; the check for the other one is still made, so the
// choice and its log line follow the same rules everywhere.

#include <QString>
#include <functional>

enum class TXMLBackEnd { OpenXML };

/// Reads a text value from the registry store: (full key path, value name, default) -> value.
using TRegistryStringReader =
    std::function<QString(const QString& keyPath, const QString& valueName, const QString& defaultValue)>;

/// Whether one of the Microsoft XML versions 4.0, 3.0 or 2.6 is registered: the default value of
/// "HKEY_CLASSES_ROOT\CLSID\<class id>" is a non-empty text for at least one of them. Without a
/// reader the registry store is asked (RegReadStringDef).
bool IsMicrosoftXMLInstalled(const TRegistryStringReader& readString = nullptr);

/// Replaces the reader the back-end choice consults (tests; nullptr restores the registry store).
void SetXMLRegistryReader(TRegistryStringReader readString);

/// Chooses the back end. The program entry calls it once after reading the command line, with
/// the "-openxml" flag and log = true, so that the choice is logged ("XML: Using OpenXML").
/// The in-process back end is used here even when the registry names the other one, since that
/// back end is not available on this platform; the log line names the back end actually used.
TXMLBackEnd ChooseXMLBackEnd(bool preferOpenXML, bool log);

/// The back end in use (OpenXML until and after any choice).
TXMLBackEnd ActiveXMLBackEnd();
