#pragma once

#include <string>

class TClassInfo;

// Root of every class with published properties: it answers its class information.
class TObject {
public:
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& classInfo) const;
};

// Placed in the public part of every reflected class; the .cpp defines StaticClass() with MakeClass.
#define VELTRANE_CLASS_INFO                                                     \
    static const TClassInfo& StaticClass();                                    \
    const TClassInfo& ClassType() const override { return StaticClass(); }
