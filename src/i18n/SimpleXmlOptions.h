#pragma once
// The option set of an XML document. Only three options affect reading:
// sxoAutoEncodeValue (decode attribute and text values), sxoAutoCreate (a
// lookup by name creates what it does not find) and
// sxoTrimPrecedingTextWhitespace (a text node drops the whitespace before it).
// The others belong to the writing side and are only carried along.

#include <cstdint>
#include <initializer_list>

namespace velora::i18n {

enum TSimpleXMLOption : std::uint8_t {
    sxoAutoCreate,
    sxoAutoIndent,
    sxoAutoEncodeValue,
    sxoAutoEncodeEntity,
    sxoDoNotSaveProlog,
    sxoTrimPrecedingTextWhitespace,
};

class TSimpleXMLOptions {
public:
    constexpr TSimpleXMLOptions() = default;
    constexpr TSimpleXMLOptions(std::initializer_list<TSimpleXMLOption> options) {
        for (TSimpleXMLOption option : options) Include(option);
    }

    constexpr bool Contains(TSimpleXMLOption option) const { return (bits_ & Bit(option)) != 0; }
    constexpr void Include(TSimpleXMLOption option) { bits_ |= Bit(option); }
    constexpr void Exclude(TSimpleXMLOption option) { bits_ &= static_cast<std::uint8_t>(~Bit(option)); }
    constexpr bool operator==(const TSimpleXMLOptions&) const = default;

    static constexpr TSimpleXMLOptions Default() {
        return {sxoAutoIndent, sxoAutoEncodeValue, sxoAutoEncodeEntity};
    }

private:
    static constexpr std::uint8_t Bit(TSimpleXMLOption option) {
        return static_cast<std::uint8_t>(1u << option);
    }
    std::uint8_t bits_ = 0;
};

}  // namespace velora::i18n
