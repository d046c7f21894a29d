#pragma once

// The classes of the add-ins built into the program, in registration order. Each part that
// defines a built-in add-in registers its class here; the add-in manager creates one instance of
// each at every start.

#include "addins/AddIn.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

/// One registered class: its name (for the log) and how to make an instance.
struct TInternalAddInClass {
    QString className;
    std::function<AddInPtr()> create;
};

class TInternalAddInManager {
public:
    /// Appends a class; a class without a way to create it raises EUnassignedArgumentError.
    void RegisterInternalAddIn(TInternalAddInClass addInClass);
    /// Registers T, created with std::make_shared<T>().
    template <typename T> void RegisterInternalAddIn(const QString& className) {
        RegisterInternalAddIn(TInternalAddInClass{className, [] { return AddInPtr(std::make_shared<T>()); }});
    }
    int Count() const { return static_cast<int>(m_classes.size()); }
    /// A new instance of the index-th class; an index outside the list raises EVRNListError.
    AddInPtr CreateAddIn(int index) const;

private:
    std::vector<TInternalAddInClass> m_classes;
};
