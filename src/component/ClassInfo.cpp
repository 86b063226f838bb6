#include "component/ClassInfo.h"

#include "text/Text.h"

namespace velora::component {

ClassInfo::ClassInfo(std::string_view name, const ClassInfo* parent,
                     std::initializer_list<PropertyInfo> ownProperties)
    : name_(name), parent_(parent), ownProperties_(ownProperties) {}

bool ClassInfo::InheritsFrom(const ClassInfo& ancestor) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
        if (c == &ancestor) return true;
    return false;
}

bool ClassInfo::InheritsFrom(std::string_view ancestorName) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
        if (text::SameText(c->name_, ancestorName)) return true;
    return false;
}

const PropertyInfo* ClassInfo::FindProperty(std::string_view propertyName) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->parent_)
        for (const PropertyInfo& property : c->ownProperties_)
            if (text::SameText(property.Name(), propertyName)) return &property;
    return nullptr;
}

std::vector<const PropertyInfo*> ClassInfo::Properties() const {
    std::vector<const PropertyInfo*> all;
    if (parent_ != nullptr) all = parent_->Properties();
    for (const PropertyInfo& property : ownProperties_) all.push_back(&property);
    return all;
}

}  // namespace velora::component
