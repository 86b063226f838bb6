// Build with -DVELORA_FUZZ=ON and clang (see CMakeLists.txt beside this file).
// Feeds arbitrary bytes to the XML reader: any input must end in a tree or
// an ESimpleXMLError, and the tree left behind must be walkable and never
// hold more bytes than the input had.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "i18n/SimpleXml.h"

namespace {

using namespace velora::i18n;

// Touches every node and attribute so that the sanitizers see the whole tree.
std::size_t Walk(const TSimpleXMLElem& root) {
    std::size_t bytes = 0;
    std::vector<const TSimpleXMLElem*> pending{&root};
    while (!pending.empty()) {
        const TSimpleXMLElem* node = pending.back();
        pending.pop_back();
        bytes += node->Name().size() + node->Value().size() + node->Prefix().size();
        for (int i = 0; i < node->PropertyCount(); ++i) bytes += node->Property(i).Value().size();
        for (int i = 0; i < node->ItemCount(); ++i) pending.push_back(&node->Item(i));
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TSimpleXML doc;
    // The first byte picks the reading options, the rest is the file.
    if (size > 0) {
        if (data[0] & 1) doc.Options().Exclude(sxoAutoEncodeValue);
        if (data[0] & 2) doc.Options().Include(sxoTrimPrecedingTextWhitespace);
        ++data;
        --size;
    }
    try {
        doc.LoadFromString(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const ESimpleXMLError& e) {
        if (e.offset() > size) __builtin_trap();
    }
    std::size_t bytes = Walk(doc.Root());
    for (int i = 0; i < doc.Prolog().Count(); ++i) bytes += Walk(doc.Prolog().Item(i));
    // Every stored byte comes from the input, at most once.
    if (bytes > size) __builtin_trap();
    return 0;
}
