#include "component/Property.h"

namespace velora::component {

std::string_view KindName(PropertyKind kind) {
    switch (kind) {
        case PropertyKind::Integer: return "integer";
        case PropertyKind::Enumeration: return "enumeration";
        case PropertyKind::String: return "string";
        case PropertyKind::WideString: return "wide string";
        case PropertyKind::Set: return "set";
        case PropertyKind::Class: return "class";
        case PropertyKind::Char: return "char";
        case PropertyKind::Float: return "float";
    }
    return "unknown";
}

namespace property_detail {
void ThrowWrongObject(const TPersistent& object, std::string_view propertyName) {
    throw PropertyError("A " + std::string(object.ClassName()) + " has no property " +
                        std::string(propertyName) + " of this class");
}
}  // namespace property_detail

bool PropertyInfo::HasSetter() const {
    switch (kind_) {
        case PropertyKind::Integer:
        case PropertyKind::Enumeration:
        case PropertyKind::Set:
        case PropertyKind::Char: return static_cast<bool>(writeOrdinal_);
        case PropertyKind::String: return static_cast<bool>(writeString_);
        case PropertyKind::WideString: return static_cast<bool>(writeWideString_);
        case PropertyKind::Float: return static_cast<bool>(writeFloat_);
        case PropertyKind::Class: return static_cast<bool>(writeObject_);
    }
    return false;
}

void PropertyInfo::RequireKind(PropertyKind kind, std::string_view wanted) const {
    if (kind_ != kind)
        throw PropertyError("Property " + name_ + " is a " + std::string(KindName(kind_)) +
                            " property, not a " + std::string(wanted) + " property");
}

void PropertyInfo::RequireOrdinalKind() const {
    if (kind_ != PropertyKind::Enumeration && kind_ != PropertyKind::Char)
        RequireKind(PropertyKind::Enumeration, "enumeration");
}

std::int32_t PropertyInfo::GetInteger(const TPersistent& object) const {
    RequireKind(PropertyKind::Integer, "integer");
    return static_cast<std::int32_t>(readOrdinal_(object));
}

void PropertyInfo::SetInteger(TPersistent& object, std::int32_t value) const {
    RequireKind(PropertyKind::Integer, "integer");
    RequireSetter(writeOrdinal_)(object, value);
}

int PropertyInfo::GetOrdinal(const TPersistent& object) const {
    RequireOrdinalKind();
    const std::int64_t value = readOrdinal_(object);
    return static_cast<int>(kind_ == PropertyKind::Char ? (value & 0xFF) : value);
}

void PropertyInfo::SetOrdinal(TPersistent& object, int ordinal) const {
    RequireOrdinalKind();
    const bool inRange = kind_ == PropertyKind::Char ? (ordinal >= 0 && ordinal <= 255)
                                                     : enumType_->IsValidOrdinal(ordinal);
    if (!inRange)
        throw PropertyError(std::to_string(ordinal) + " is out of range for property " + name_);
    RequireSetter(writeOrdinal_)(object, ordinal);
}

std::uint32_t PropertyInfo::GetSet(const TPersistent& object) const {
    RequireKind(PropertyKind::Set, "set");
    return static_cast<std::uint32_t>(readOrdinal_(object));
}

void PropertyInfo::SetSet(TPersistent& object, std::uint32_t bits) const {
    RequireKind(PropertyKind::Set, "set");
    const int members = setType_->MemberType().Count();
    if (members < 32 && (bits >> members) != 0)
        throw PropertyError("The value holds bits that are no members of property " + name_);
    RequireSetter(writeOrdinal_)(object, bits);
}

std::string PropertyInfo::GetString(const TPersistent& object) const {
    RequireKind(PropertyKind::String, "string");
    return readString_(object);
}

void PropertyInfo::SetString(TPersistent& object, const std::string& value) const {
    RequireKind(PropertyKind::String, "string");
    RequireSetter(writeString_)(object, value);
}

std::wstring PropertyInfo::GetWideString(const TPersistent& object) const {
    RequireKind(PropertyKind::WideString, "wide string");
    return readWideString_(object);
}

void PropertyInfo::SetWideString(TPersistent& object, const std::wstring& value) const {
    RequireKind(PropertyKind::WideString, "wide string");
    RequireSetter(writeWideString_)(object, value);
}

double PropertyInfo::GetFloat(const TPersistent& object) const {
    RequireKind(PropertyKind::Float, "float");
    return readFloat_(object);
}

void PropertyInfo::SetFloat(TPersistent& object, double value) const {
    RequireKind(PropertyKind::Float, "float");
    RequireSetter(writeFloat_)(object, value);
}

TPersistent* PropertyInfo::GetObjectValue(TPersistent& object) const {
    RequireKind(PropertyKind::Class, "class");
    return readObject_(object);
}

void PropertyInfo::SetObjectValue(TPersistent& object, TPersistent* value) const {
    RequireKind(PropertyKind::Class, "class");
    RequireSetter(writeObject_)(object, value);
}

}  // namespace velora::component
