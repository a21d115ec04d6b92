#include "classes/Persistent.h"

#include "classes/ClassInfo.h"
#include "platform/Exception.h"

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info("TPersistent", &TObject::StaticClass(), {});
    return info;
}

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName() + ".");
}
