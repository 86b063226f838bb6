#pragma once
// Published properties: a value of an object that can be found by name,
// read and written without knowing the object's class. Each class lists its
// own properties in its ClassInfo, one line a property:
//
//     Prop::String("Caption", &TButton::Caption, &TButton::SetCaption),
//     Prop::Integer("Left", &TControl::Left, &TControl::SetLeft),
//     Prop::Boolean("Default", &TButton::Default, &TButton::SetDefault),
//     Prop::Enumeration("Alignment", AlignmentType, &TLabel::Alignment, &TLabel::SetAlignment),
//     Prop::Set("Style", FontStylesType, &TFont::Style, &TFont::SetStyle),
//     Prop::Object("Font", &TControl::Font, &TControl::SetFont),
//
// The getter is a member function returning the value; the setter, which may
// be left out for a read-only property, takes it. The class the member
// functions belong to is taken from them, so an inherited getter is fine.
// A getter must not be overloaded (say, const and non-const), or the table
// cannot name it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

#include "component/Errors.h"
#include "component/Persistent.h"
#include "component/TypeInfo.h"

namespace velora::component {

enum class PropertyKind {
    Integer,      // 32-bit integer (colours and shortcuts included)
    Enumeration,  // an EnumType's ordinal; Boolean is one
    String,       // single-byte text
    WideString,   // wide text (std::wstring)
    Set,          // a bitmask over an EnumType, see SetType
    Class,        // an object: a sub-object such as a font or a string list, or a component
    Char,         // one single-byte character
    Float,        // a floating-point number
};

std::string_view KindName(PropertyKind kind);

class PropertyInfo {
public:
    const std::string& Name() const { return name_; }
    PropertyKind Kind() const { return kind_; }
    bool HasSetter() const;
    // The value names of an enumeration property; nullptr for other kinds.
    const EnumType* TypeOfEnumeration() const { return enumType_; }
    // The member names of a set property; nullptr for other kinds.
    const SetType* TypeOfSet() const { return setType_; }

    // Typed access. Each throws PropertyError when the property is of another
    // kind, when the object is not of the property's class, or (for the
    // setters) when there is no setter.
    std::int32_t GetInteger(const TPersistent& object) const;
    void SetInteger(TPersistent& object, std::int32_t value) const;
    // Enumeration ordinal, or a Char's character code. The setter refuses an
    // ordinal outside the type (PropertyError) and stores nothing then.
    int GetOrdinal(const TPersistent& object) const;
    void SetOrdinal(TPersistent& object, int ordinal) const;
    // Set bitmask (member n = bit n). The setter refuses bits beyond the members.
    std::uint32_t GetSet(const TPersistent& object) const;
    void SetSet(TPersistent& object, std::uint32_t bits) const;
    std::string GetString(const TPersistent& object) const;
    void SetString(TPersistent& object, const std::string& value) const;
    std::wstring GetWideString(const TPersistent& object) const;
    void SetWideString(TPersistent& object, const std::wstring& value) const;
    double GetFloat(const TPersistent& object) const;
    void SetFloat(TPersistent& object, double value) const;
    // The object a class-typed property holds; nullptr when unassigned.
    // (Not "GetObject": the Windows headers make that name a macro.)
    TPersistent* GetObjectValue(TPersistent& object) const;
    // A sub-object copies the value (Assign); a component reference takes the
    // pointer (nullptr clears it). A value of the wrong class: PropertyError.
    void SetObjectValue(TPersistent& object, TPersistent* value) const;

private:
    friend class Prop;
    PropertyInfo(std::string name, PropertyKind kind) : name_(std::move(name)), kind_(kind) {}

    void RequireKind(PropertyKind kind, std::string_view wanted) const;
    void RequireOrdinalKind() const;
    template <class Function>
    const Function& RequireSetter(const Function& setter) const {
        if (!setter) throw PropertyError("Property " + name_ + " is read-only");
        return setter;
    }

    std::string name_;
    PropertyKind kind_;
    const EnumType* enumType_ = nullptr;
    const SetType* setType_ = nullptr;
    // Integer, Enumeration, Char and Set values travel as ordinals.
    std::function<std::int64_t(const TPersistent&)> readOrdinal_;
    std::function<void(TPersistent&, std::int64_t)> writeOrdinal_;
    std::function<std::string(const TPersistent&)> readString_;
    std::function<void(TPersistent&, const std::string&)> writeString_;
    std::function<std::wstring(const TPersistent&)> readWideString_;
    std::function<void(TPersistent&, const std::wstring&)> writeWideString_;
    std::function<double(const TPersistent&)> readFloat_;
    std::function<void(TPersistent&, double)> writeFloat_;
    std::function<TPersistent*(TPersistent&)> readObject_;
    std::function<void(TPersistent&, TPersistent*)> writeObject_;
};

namespace property_detail {

// The class a member function pointer belongs to: TControl for &TButton::Left
// when Left is declared in TControl.
template <class MemberPointer>
struct ClassOfMember;
template <class Member, class Class>
struct ClassOfMember<Member Class::*> {
    using type = Class;
};
template <class MemberPointer>
using ClassOf = typename ClassOfMember<MemberPointer>::type;

[[noreturn]] void ThrowWrongObject(const TPersistent& object, std::string_view propertyName);

template <class Owner>
Owner& As(TPersistent& object, std::string_view propertyName) {
    if (auto* owner = dynamic_cast<Owner*>(&object)) return *owner;
    ThrowWrongObject(object, propertyName);
}
template <class Owner>
const Owner& As(const TPersistent& object, std::string_view propertyName) {
    if (auto* owner = dynamic_cast<const Owner*>(&object)) return *owner;
    ThrowWrongObject(object, propertyName);
}

// The value type a getter returns, without reference and const.
template <class Getter>
using ValueOf = std::remove_cvref_t<std::invoke_result_t<Getter, const ClassOf<Getter>&>>;

}  // namespace property_detail

// Builders of PropertyInfo, one per kind. Passing nullptr (or nothing) as
// the setter makes the property read-only.
class Prop {
public:
    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Integer(std::string name, Getter getter, Setter setter = nullptr) {
        return Ordinal(std::move(name), PropertyKind::Integer, getter, setter);
    }

    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Enumeration(std::string name, const EnumType& type, Getter getter,
                                    Setter setter = nullptr) {
        PropertyInfo info = Ordinal(std::move(name), PropertyKind::Enumeration, getter, setter);
        info.enumType_ = &type;
        return info;
    }

    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Boolean(std::string name, Getter getter, Setter setter = nullptr) {
        return Enumeration(std::move(name), BooleanType, getter, setter);
    }

    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Char(std::string name, Getter getter, Setter setter = nullptr) {
        return Ordinal(std::move(name), PropertyKind::Char, getter, setter);
    }

    // The getter returns an EnumSet; the setter takes one.
    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Set(std::string name, const SetType& type, Getter getter,
                            Setter setter = nullptr) {
        using namespace property_detail;
        using Value = ValueOf<Getter>;
        PropertyInfo info(std::move(name), PropertyKind::Set);
        info.setType_ = &type;
        info.readOrdinal_ = [getter, n = info.name_](const TPersistent& object) -> std::int64_t {
            return std::invoke(getter, As<ClassOf<Getter>>(object, n)).ToBits();
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.writeOrdinal_ = [setter, n = info.name_](TPersistent& object, std::int64_t bits) {
                std::invoke(setter, As<ClassOf<Setter>>(object, n),
                            Value::FromBits(static_cast<std::uint32_t>(bits)));
            };
        return info;
    }

    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo String(std::string name, Getter getter, Setter setter = nullptr) {
        using namespace property_detail;
        PropertyInfo info(std::move(name), PropertyKind::String);
        info.readString_ = [getter, n = info.name_](const TPersistent& object) -> std::string {
            return std::invoke(getter, As<ClassOf<Getter>>(object, n));
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.writeString_ = [setter, n = info.name_](TPersistent& object, const std::string& value) {
                std::invoke(setter, As<ClassOf<Setter>>(object, n), value);
            };
        return info;
    }

    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo WideString(std::string name, Getter getter, Setter setter = nullptr) {
        using namespace property_detail;
        PropertyInfo info(std::move(name), PropertyKind::WideString);
        info.readWideString_ = [getter, n = info.name_](const TPersistent& object) -> std::wstring {
            return std::invoke(getter, As<ClassOf<Getter>>(object, n));
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.writeWideString_ = [setter, n = info.name_](TPersistent& object, const std::wstring& value) {
                std::invoke(setter, As<ClassOf<Setter>>(object, n), value);
            };
        return info;
    }

    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Float(std::string name, Getter getter, Setter setter = nullptr) {
        using namespace property_detail;
        PropertyInfo info(std::move(name), PropertyKind::Float);
        info.readFloat_ = [getter, n = info.name_](const TPersistent& object) -> double {
            return static_cast<double>(std::invoke(getter, As<ClassOf<Getter>>(object, n)));
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.writeFloat_ = [setter, n = info.name_](TPersistent& object, double value) {
                std::invoke(setter, As<ClassOf<Setter>>(object, n), value);
            };
        return info;
    }

    // A class-typed property. Either a sub-object the owner holds, with a
    // getter returning `V&` and a setter taking `const V&` that copies it,
    // or a reference to a component, with a getter returning `V*` and a
    // setter taking `V*`.
    template <class Getter, class Setter = std::nullptr_t>
    static PropertyInfo Object(std::string name, Getter getter, Setter setter = nullptr) {
        using namespace property_detail;
        using Result = std::invoke_result_t<Getter, ClassOf<Getter>&>;
        constexpr bool isReference = std::is_pointer_v<Result>;
        using Value = std::remove_cvref_t<std::remove_pointer_t<Result>>;

        PropertyInfo info(std::move(name), PropertyKind::Class);
        info.readObject_ = [getter, n = info.name_](TPersistent& object) -> TPersistent* {
            if constexpr (isReference)
                return std::invoke(getter, As<ClassOf<Getter>>(object, n));
            else
                return &std::invoke(getter, As<ClassOf<Getter>>(object, n));
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.writeObject_ = [setter, n = info.name_](TPersistent& object, TPersistent* value) {
                auto* typed = dynamic_cast<Value*>(value);
                if (value != nullptr && typed == nullptr)
                    throw PropertyError("Property " + n + " cannot take a " +
                                        std::string(value->ClassName()));
                if constexpr (isReference) {
                    std::invoke(setter, As<ClassOf<Setter>>(object, n), typed);
                } else {
                    if (typed == nullptr) throw PropertyError("Property " + n + " needs an object");
                    std::invoke(setter, As<ClassOf<Setter>>(object, n), *typed);
                }
            };
        return info;
    }

private:
    // Integer, Enumeration and Char: the getter returns an integral or
    // enumeration type (bool included), the setter takes the same type.
    template <class Getter, class Setter>
    static PropertyInfo Ordinal(std::string name, PropertyKind kind, Getter getter, Setter setter) {
        using namespace property_detail;
        using Value = ValueOf<Getter>;
        PropertyInfo info(std::move(name), kind);
        info.readOrdinal_ = [getter, n = info.name_](const TPersistent& object) -> std::int64_t {
            return static_cast<std::int64_t>(std::invoke(getter, As<ClassOf<Getter>>(object, n)));
        };
        if constexpr (!std::is_null_pointer_v<Setter>)
            info.writeOrdinal_ = [setter, n = info.name_](TPersistent& object, std::int64_t value) {
                std::invoke(setter, As<ClassOf<Setter>>(object, n), static_cast<Value>(value));
            };
        return info;
    }
};

}  // namespace velora::component
