#pragma once
// The published values of a form or a control that its window in another
// process shows: every writable property holding a number, an enumeration,
// a set, a character or a single-byte text, but the Name. Values travel as
// text: numbers, ordinals and set bits in decimal, texts as they are.

#include <string>
#include <string_view>
#include <vector>

namespace velora::component {
class PropertyInfo;
class TPersistent;
}  // namespace velora::component

namespace velora::controls {

// In the class's order, the root class's first.
std::vector<const component::PropertyInfo*> MirroredProperties(const component::TPersistent& object);
bool IsMirrored(const component::TPersistent& object, std::string_view name);

std::string MirroredValue(const component::TPersistent& object, const component::PropertyInfo& property);

// Writes a value as MirroredValue gives it. False, with nothing written, for
// a property that is not mirrored or a value it cannot take.
bool ApplyMirroredValue(component::TPersistent& object, std::string_view name, const std::string& value);

}  // namespace velora::controls
