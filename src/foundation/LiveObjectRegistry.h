#pragma once

// The process-wide registry of live objects. While tracking is on, every checked object (and every
// other ILiveObject that registers itself, such as the program's windows) is listed from its
// creation to its destruction; at the end of the program the report names whatever is left.

#include <QString>

/// An object that can be listed in the registry.
class ILiveObject {
public:
    /// The name the report shows.
    virtual QString ClassName() const = 0;

protected:
    ~ILiveObject() = default;
};

/// The tracking switch; off until the program turns it on during its initialisation.
void SetLiveObjectTracking(bool on);
bool LiveObjectTracking();

/// Lists the object if tracking is on. Called by the object's constructor.
void RegisterLiveObject(const ILiveObject* object);
/// Takes the object off the list if it is listed, whatever the switch says now, so that the list
/// never holds a destroyed object. Called by the object's destructor.
void UnregisterLiveObject(const ILiveObject* object);
/// Number of objects listed.
int LiveObjectCount();

/// The end-of-program report. The program calls it last, after it has released its objects.
/// With tracking off it writes nothing (nobody asked for the list, and it would be incomplete),
/// empties the list and returns 0. Otherwise it switches tracking off while it runs, writes at log
/// level 2 (leak lists) one line
/// "trash object: <class name> (<identity as a decimal number>)" per listed object, in the order
/// they were created, then "Total trash objects: <n>"; then switches tracking back on, empties the
/// list and returns n.
int ReportLiveObjects();
