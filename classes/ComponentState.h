#pragma once

#include "classes/EnumInfo.h"
#include "classes/Set.h"

// State flags of a component. csDesigning belongs to a form designer and is never set at run time.
enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateFlag>;
VELTRANE_ENUM_INFO(TComponentStateFlag, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning")

// What a notification reports about a component.
enum TOperation { opInsert, opRemove };
