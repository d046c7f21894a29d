#pragma once

#include "foundation/VRNException.h"

// The error family of data files. Callers decide what to do by the class: EXMZInvalidData and its
// descendants mean the file cannot be used as it is; EXMZFailure means an operation failed but the
// data named in the message is still safe (main file, temporary file or memory), and its
// descendants say more precisely where.

/// Base of every data-file error.
VRN_DECLARE_EXCEPTION(EXMZError, EVRNException);
/// A call in the wrong state (no file assigned, already a file assigned).
VRN_DECLARE_EXCEPTION(EXMZInvalidOperation, EXMZError);
/// The file is not a valid data file.
VRN_DECLARE_EXCEPTION(EXMZInvalidData, EXMZError);
/// The file was written by a newer program.
VRN_DECLARE_EXCEPTION(EXMZVersionError, EXMZInvalidData);
/// The file needs a higher edition of the program.
VRN_DECLARE_EXCEPTION(EXMZEditionError, EXMZInvalidData);
/// The file holds another kind of content than the one asked for.
VRN_DECLARE_EXCEPTION(EXMZFileTypeError, EXMZInvalidData);
/// An operation failed; the data is still safe in the main file, the temporary file or memory.
VRN_DECLARE_EXCEPTION(EXMZFailure, EXMZError);
/// The newest data is only in memory: the caller must save again.
VRN_DECLARE_EXCEPTION(EXMZFailureSaveAgain, EXMZFailure);
/// A folder for a new file could not be created.
VRN_DECLARE_EXCEPTION(EXMZFailureCreateFile, EXMZFailure);
/// Data may be lost: neither a temporary file nor the document is available any more.
VRN_DECLARE_EXCEPTION(EXMZFailureCritical, EXMZFailure);
