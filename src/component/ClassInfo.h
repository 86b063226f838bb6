#pragma once
// What the model knows about a class at run time: its name, its parent class
// and the published properties it adds. A class's full property list is its
// own properties plus those of its ancestors.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "component/Property.h"

namespace velora::component {

class ClassInfo {
public:
    ClassInfo(std::string_view name, const ClassInfo* parent,
              std::initializer_list<PropertyInfo> ownProperties);
    ClassInfo(const ClassInfo&) = delete;
    ClassInfo& operator=(const ClassInfo&) = delete;

    std::string_view Name() const { return name_; }
    const ClassInfo* Parent() const { return parent_; }

    // True for the class itself and for each of its descendants.
    bool InheritsFrom(const ClassInfo& ancestor) const;
    // The same by class name, compared without regard to case.
    bool InheritsFrom(std::string_view ancestorName) const;

    // The property of that name (case-insensitive), searched in this class
    // first and then up the ancestors; nullptr when there is none.
    const PropertyInfo* FindProperty(std::string_view propertyName) const;
    // Every published property, the root class's first.
    std::vector<const PropertyInfo*> Properties() const;

private:
    std::string name_;
    const ClassInfo* parent_;
    std::vector<PropertyInfo> ownProperties_;
};

}  // namespace velora::component
