#pragma once
// The parsing half of TSimpleXML, kept apart from the node classes.

#include <string_view>

namespace velora::i18n {

class TSimpleXML;

// Reads the prolog and the root element of `bytes` into a document whose
// root children, root attributes and prolog are already empty. Nodes are
// added as they complete, so after an ESimpleXMLError the document holds
// everything that was complete before the fault.
void ParseSimpleXml(std::string_view bytes, TSimpleXML& document);

}  // namespace velora::i18n
