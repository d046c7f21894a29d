#pragma once

// The objects of the SDK's creatable classes that add-ins create inside the program
// (HXCreateInstance of the SDK runtime). Most classes make a new object of their own, which only
// the add-in holds. A few are bound to the running application: HoraluxApplication answers the
// application object (the Global_ add-ins are launched with), Tools and Action are made as
// Global_.Tools and Tools.CreateNewAction make them, and a Calendar starts as a copy of the
// program's work-time calendar (a change to the copy leaves the program's calendar as it is).

#include "addins/ApplicationInterface.h"

#include <HoraluxSDK.h>
#include <memory>

/// Installs the program's creator into the SDK runtime, with application (held weakly) as the
/// running application.
void InstallSdkClassFactory(const std::shared_ptr<IApplication_>& application);
/// The application ends: the classes bound to it are no longer available, the others stay. Does
/// nothing when another application was installed since.
void ReleaseSdkClassFactoryApplication(const IApplication_* application);

/// The program's creator, the function HXCreateInstance calls: a new object of the class, asked
/// for interfaceId (a new reference in *object, null on failure). A class that is unknown, internal
/// or not made by the program (AddIn and ActionExecute are the add-ins' own), or one bound to an
/// application that is not running, fails with HX_CLASS_E_CLASSNOTAVAILABLE; an interface the
/// object does not answer with HX_E_NOINTERFACE; a failure of the program with its description.
HXRESULT CreateSdkInstance(const HXGUID* classId, const HXGUID* interfaceId, void** object) noexcept;
