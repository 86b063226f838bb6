#include "component/Persistent.h"

#include <string>

#include "component/ClassInfo.h"
#include "component/Errors.h"

namespace velora::component {

const ClassInfo& TPersistent::StaticClass() {
    static const ClassInfo info{"TPersistent", nullptr, {}};
    return info;
}

std::string_view TPersistent::ClassName() const { return Class().Name(); }

bool TPersistent::InheritsFrom(std::string_view className) const {
    return Class().InheritsFrom(className);
}

void TPersistent::Assign(const TPersistent& source) {
    throw ConvertError("Cannot assign a " + std::string(source.ClassName()) + " to a " +
                       std::string(ClassName()));
}

bool HasClassInChain(const TPersistent* object, std::string_view className) {
    return object != nullptr && object->InheritsFrom(className);
}

const PropertyInfo* FindProperty(const TPersistent& object, std::string_view propertyName) {
    return object.Class().FindProperty(propertyName);
}

}  // namespace velora::component
