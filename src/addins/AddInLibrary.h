#pragma once

// The shared libraries of external add-ins. A library is loaded once, checked against the SDK this
// program offers, and stays loaded until the program ends: an add-in's objects and the texts and
// tables they hand out may live as long as the program does.

#include "foundation/VRNException.h"

#include <HoraluxRuntime.h>
#include <QString>

/// An add-in library could not be loaded or does not fit this program; the message says why.
VRN_DECLARE_EXCEPTION(EAddInLoadError, EVRNException);

/// A loaded, checked library.
struct TAddInLibrary {
    QString path;
    HXCreateObjectFunction createObject = nullptr;
    /// The optional list of the classes the library makes (for its registration), or null.
    HXAddInClassesFunction classes = nullptr;
};

/// The library at path (an absolute path), loaded and checked on its first request. Raises
/// EAddInLoadError: the loader's own reason when it cannot be loaded, or that it is no add-in
/// library, or that it was built for another SDK library or a version this program does not offer.
const TAddInLibrary& LoadAddInLibrary(const QString& path);
