#pragma once
// The root of every object that carries published properties: components,
// sub-objects such as fonts, string lists and collections.
//
// Every class of the model describes itself with a ClassInfo (its name, its
// parent class and its own published properties); a class declares
//     static const ClassInfo& StaticClass();
//     const ClassInfo& Class() const override { return StaticClass(); }
// and builds the ClassInfo in its .cpp file.

#include <string_view>

namespace velora::component {

class ClassInfo;
class PropertyInfo;

class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    static const ClassInfo& StaticClass();
    virtual const ClassInfo& Class() const { return StaticClass(); }

    std::string_view ClassName() const;
    // True when the object's class or one of its ancestors has this name
    // (compared without regard to case).
    bool InheritsFrom(std::string_view className) const;

    // Copies the value of another object of a compatible class. The base
    // refuses with a ConvertError; classes that can copy override it.
    virtual void Assign(const TPersistent& source);
};

// InheritsFrom for an object that may be missing (false then).
bool HasClassInChain(const TPersistent* object, std::string_view className);

// The published property of that name (case-insensitive) of the object's
// class or its ancestors; nullptr when there is none.
const PropertyInfo* FindProperty(const TPersistent& object, std::string_view propertyName);

}  // namespace velora::component
