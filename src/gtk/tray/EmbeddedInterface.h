#pragma once
// A D-Bus interface described by an introspection document built into the
// program (the XML files beside this one).

#include <cstddef>

typedef struct _GDBusInterfaceInfo GDBusInterfaceInfo;

namespace velora::gtk {

// The document's first interface; nullptr if the document does not parse.
// The caller keeps it for the run.
GDBusInterfaceInfo* ParseEmbeddedInterface(const unsigned char* xml, std::size_t size);

}  // namespace velora::gtk
