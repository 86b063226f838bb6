#include "controls/remote/RemoteProperties.h"

#include "component/ClassInfo.h"
#include "component/Errors.h"
#include "component/Property.h"
#include "text/Numbers.h"
#include "text/Text.h"

namespace velora::controls {

namespace {

bool KindIsMirrored(component::PropertyKind kind) {
    switch (kind) {
        case component::PropertyKind::Integer:
        case component::PropertyKind::Enumeration:
        case component::PropertyKind::Set:
        case component::PropertyKind::Char:
        case component::PropertyKind::String: return true;
        default: return false;
    }
}

bool Mirrored(const component::PropertyInfo& property) {
    return property.HasSetter() && KindIsMirrored(property.Kind()) && !text::SameText(property.Name(), "Name");
}

std::string ValueOf(const component::TPersistent& object, const component::PropertyInfo& property) {
    switch (property.Kind()) {
        case component::PropertyKind::Integer: return std::to_string(property.GetInteger(object));
        case component::PropertyKind::Set: return std::to_string(property.GetSet(object));
        case component::PropertyKind::String: return property.GetString(object);
        default: return std::to_string(property.GetOrdinal(object));
    }
}

}  // namespace

std::vector<const component::PropertyInfo*> MirroredProperties(const component::TPersistent& object) {
    std::vector<const component::PropertyInfo*> mirrored;
    for (const component::PropertyInfo* property : object.Class().Properties())
        if (Mirrored(*property)) mirrored.push_back(property);
    return mirrored;
}

bool IsMirrored(const component::TPersistent& object, std::string_view name) {
    const component::PropertyInfo* property = component::FindProperty(object, name);
    return property != nullptr && Mirrored(*property);
}

RemoteFields ValueLine(const component::TPersistent& object, const char* target, std::string_view property) {
    const component::PropertyInfo& info = *component::FindProperty(object, property);
    return {"set", target, info.Name(), ValueOf(object, info)};
}

bool ApplyMirroredValue(component::TPersistent& object, std::string_view name, const std::string& value) {
    const component::PropertyInfo* property = component::FindProperty(object, name);
    if (property == nullptr || !Mirrored(*property)) return false;
    try {
        switch (property->Kind()) {
            case component::PropertyKind::String: property->SetString(object, value); return true;
            case component::PropertyKind::Integer: {
                const auto number = text::ParseInt32(value);
                if (!number) return false;
                property->SetInteger(object, *number);
                return true;
            }
            case component::PropertyKind::Set: {
                const auto bits = text::ParseDigits(value, 10, 0xFFFFFFFFu);
                if (!bits) return false;
                property->SetSet(object, static_cast<std::uint32_t>(*bits));
                return true;
            }
            default: {
                const auto ordinal = text::ParseInt32(value);
                if (!ordinal) return false;
                property->SetOrdinal(object, *ordinal);
                return true;
            }
        }
    } catch (const component::PropertyError&) {
        // An ordinal or a set bit outside the type: the setter stored nothing.
        return false;
    }
}

}  // namespace velora::controls
