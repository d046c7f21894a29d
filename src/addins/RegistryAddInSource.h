#pragma once

// The external add-ins as the user and the machine list them in the settings store:
//   Software\Varnelo\Horalux\Add Ins   value name = the add-in's class name; the 32-bit integer
//                                      -1 (all bits set) means "do not load"
//   <class name>\CLSID                 (classes root) default value: the class's GUID
//   CLSID\{GUID}\InprocServer32        default value: the path of the shared library
// The library creates the add-in object (HoraluxCreateObject) of that GUID.

#include "addins/AddInManager.h"

#include "foundation/GUID.h"

/// The key that lists the add-ins, under the current user and the local machine.
QString AddInsListKey();

class TRegistryAddInSource : public IExternalAddInSource {
public:
    /// The user's names, then the machine's, each in the store's order; a name marked -1 is left
    /// out.
    QStringList ListAddInNames() override;
    /// Raises EVRNException (class not registered, a local server, no library) or EAddInLoadError
    /// (the library), or EHXAutomationError (the library could not make the object).
    AddInPtr CreateAddIn(const QString& name) override;

    /// The GUID registered for a class name; raises EVRNException when there is none.
    static TGUID ClassOf(const QString& name);
    /// The library registered for a class; raises EVRNException when there is none.
    static QString LibraryOf(const TGUID& classId);
};
