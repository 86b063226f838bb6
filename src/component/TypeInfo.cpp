#include "component/TypeInfo.h"

#include "text/Text.h"
#include "component/Errors.h"

namespace velora::component {

std::string_view EnumType::ValueName(std::int64_t ordinal) const {
    if (!IsValidOrdinal(ordinal)) return {};
    return valueNames_[static_cast<size_t>(ordinal)];
}

std::optional<int> EnumType::OrdinalOf(std::string_view valueName) const {
    for (int ordinal = 0; ordinal < Count(); ++ordinal)
        if (text::SameText(valueNames_[static_cast<size_t>(ordinal)], valueName)) return ordinal;
    return std::nullopt;
}

std::string SetType::ToText(std::uint32_t bits) const {
    std::string out = "[";
    for (int ordinal = 0; ordinal < memberType_->Count() && ordinal < 32; ++ordinal) {
        if ((bits & (1u << ordinal)) == 0) continue;
        if (out.size() > 1) out += ',';
        out += memberType_->ValueName(ordinal);
    }
    out += ']';
    return out;
}

std::uint32_t SetType::FromText(std::string_view text) const {
    const std::string trimmed = text::Trim(text);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']')
        throw ConvertError("'" + std::string(text) + "' is not a set of " + std::string(name_));

    const std::string_view inner = std::string_view(trimmed).substr(1, trimmed.size() - 2);
    if (text::Trim(inner).empty()) return 0;

    std::uint32_t bits = 0;
    size_t start = 0;
    while (true) {
        const size_t comma = inner.find(',', start);
        const std::string member = text::Trim(inner.substr(start, comma - start));
        const std::optional<int> ordinal = memberType_->OrdinalOf(member);
        if (!ordinal || *ordinal >= 32)
            throw ConvertError("'" + member + "' is not a member of " + std::string(name_));
        bits |= 1u << *ordinal;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return bits;
}

}  // namespace velora::component
