#pragma once

#include "classes/Object.h"

class TFiler;

// Base of objects that can be stored in a form definition and copied from one another.
class TPersistent : public TObject {
public:
    VELTRANE_CLASS_INFO

    // Copies source into this object; by default asks source to AssignTo this, which fails
    // with EConvertError "Cannot assign a <source> to a <this>.".
    virtual void Assign(const TPersistent& source);
    // Adds properties stored beside the published ones.
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent& dest) const;
};
