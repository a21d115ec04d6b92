#include "classes/Object.h"

#include "classes/ClassInfo.h"

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info("TObject", nullptr, {});
    return info;
}

const std::string& TObject::ClassName() const { return ClassType().ClassName(); }

bool TObject::InheritsFrom(const TClassInfo& classInfo) const { return ClassType().InheritsFrom(classInfo); }
