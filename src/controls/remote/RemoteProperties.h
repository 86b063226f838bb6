#pragma once
// The published values of a form or a control that its window in another
// process shows: every writable property holding a number, an enumeration,
// a set, a character or a single-byte text, but the Name. Values travel as
// text: numbers, ordinals and set bits in decimal, texts as they are.

#include <string>
#include <string_view>
#include <vector>

#include "controls/remote/RemoteLines.h"

namespace velora::component {
class PropertyInfo;
class TPersistent;
}  // namespace velora::component

namespace velora::controls {

// In the class's order, the root class's first.
std::vector<const component::PropertyInfo*> MirroredProperties(const component::TPersistent& object);
bool IsMirrored(const component::TPersistent& object, std::string_view name);

// The "set" line that tells the other side the property's value now:
// "set", `target`, the property's name and its value. The property is one
// MirroredProperties lists.
RemoteFields ValueLine(const component::TPersistent& object, const char* target, std::string_view property);

// Writes a value as ValueLine gives it. False, with nothing written, for
// a property that is not mirrored or a value it cannot take.
bool ApplyMirroredValue(component::TPersistent& object, std::string_view name, const std::string& value);

}  // namespace velora::controls
