#pragma once

#include "platform/Exception.h"

// Errors of the localization subsystem; the message is already formatted.
VELTRANE_EXCEPTION(ELangError, Exception);
