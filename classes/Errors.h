#pragma once

#include "platform/Exception.h"

// Errors of the form framework.
VELTRANE_EXCEPTION(EFilerError, EReadError);      // "Error reading <resource> line <n>: <what>"
VELTRANE_EXCEPTION(EPropertyError, Exception);    // a published property used against its kind or range
VELTRANE_EXCEPTION(EComponentError, Exception);   // bad component name, duplicate name, foreign component
VELTRANE_EXCEPTION(EClassNotFound, Exception);    // "Class <name> not found"
VELTRANE_EXCEPTION(EInvalidOperation, Exception); // a control or form used in a state that does not allow it
