#include "win32/raii/InterfaceTable.h"

namespace velora::win32 {

namespace {

const InterfaceEntry* FindEntry(std::span<const InterfaceEntry> table, REFIID iid) {
    if (table.empty()) return nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) return &table.front();
    for (const InterfaceEntry& entry : table)
        if (IsEqualIID(iid, *entry.iid)) return &entry;
    return nullptr;
}

}  // namespace

HRESULT QueryInterfaceByTable(void* object, std::span<const InterfaceEntry> table, REFIID iid, void** result) noexcept {
    if (!result) return E_POINTER;
    const InterfaceEntry* entry = FindEntry(table, iid);
    if (!entry) {
        *result = nullptr;
        return E_NOINTERFACE;
    }
    auto* part = reinterpret_cast<IUnknown*>(static_cast<char*>(object) + entry->offset);
    part->AddRef();
    *result = part;
    return S_OK;
}

}  // namespace velora::win32
