#pragma once
// QueryInterface from a table, for the COM objects the program implements
// itself: one entry per interface the object answers, each the interface's
// IID and where that interface's part lies within the object. IUnknown is
// answered with the first entry, so the identity of the object stays the
// same whichever interface it is asked through. Several IIDs may point at one
// part: a derived interface answers for its bases (IOleInPlaceSite for
// IOleWindow).
//
//   HRESULT QueryInterface(REFIID iid, void** object) override {
//       const InterfaceEntry table[] = {Implements<IOleClientSite>(this),
//                                       Implements<IOleInPlaceSite>(this),
//                                       Implements<IOleInPlaceSite>(this, __uuidof(IOleWindow))};
//       return QueryInterfaceByTable(this, table, iid, object);
//   }

#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <span>

namespace velora::win32 {

struct InterfaceEntry {
    const IID* iid;
    // Bytes from the start of the object to its Interface part.
    std::ptrdiff_t offset;
};

// The entry for the object's `Interface` part, answering `iid`.
template <class Interface, class Object>
InterfaceEntry Implements(Object* object, const IID& iid = __uuidof(Interface)) noexcept {
    const auto* start = reinterpret_cast<const char*>(object);
    const auto* part = reinterpret_cast<const char*>(static_cast<Interface*>(object));
    return {&iid, part - start};
}

// QueryInterface's contract: E_POINTER without `result`; S_OK with the
// interface in `result`, counted once more (AddRef); else E_NOINTERFACE with
// `result` null. `object` is the start of the object the table describes.
HRESULT QueryInterfaceByTable(void* object, std::span<const InterfaceEntry> table, REFIID iid, void** result) noexcept;

}  // namespace velora::win32
