#pragma once
// Descriptions of the enumeration and set types that published properties
// use, so that values can be named in text: an enumeration's value names in
// ordinal order, and a set as the bracketed list of its member names.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velora::component {

// An enumeration type: ordinals 0 .. Count()-1, each with its value name.
class EnumType {
public:
    constexpr EnumType(std::string_view name, std::span<const std::string_view> valueNames)
        : name_(name), valueNames_(valueNames) {}

    std::string_view Name() const { return name_; }
    int Count() const { return static_cast<int>(valueNames_.size()); }
    bool IsValidOrdinal(std::int64_t ordinal) const { return ordinal >= 0 && ordinal < Count(); }
    // The value name of an ordinal; empty for an ordinal outside the type.
    std::string_view ValueName(std::int64_t ordinal) const;
    // The ordinal of a value name, compared without regard to case.
    std::optional<int> OrdinalOf(std::string_view valueName) const;

private:
    std::string_view name_;
    std::span<const std::string_view> valueNames_;
};

// A set type over an enumeration: member n is bit n of the value.
class SetType {
public:
    constexpr SetType(std::string_view name, const EnumType& memberType)
        : name_(name), memberType_(&memberType) {}

    std::string_view Name() const { return name_; }
    const EnumType& MemberType() const { return *memberType_; }
    // "[a,b]": the member names in ordinal order, no blanks; "[]" for none.
    std::string ToText(std::uint32_t bits) const;
    // Reads "[a, b]": square brackets around member names separated by commas,
    // blanks allowed around names, names compared without regard to case.
    // Throws ConvertError for anything else (missing bracket, empty or unknown
    // member name, text after the closing bracket).
    std::uint32_t FromText(std::string_view text) const;

private:
    std::string_view name_;
    const EnumType* memberType_;
};

inline constexpr std::string_view kBooleanNames[] = {"False", "True"};
inline constexpr EnumType BooleanType{"Boolean", kBooleanNames};

// The value of a set-typed property: a small bitmask over an enumeration,
// stored in `Bits` (so a set of up to 16 members fits in 16 bits).
template <class Member, class Bits>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<Member> members) {
        for (Member member : members) Include(member);
    }
    static constexpr EnumSet FromBits(std::uint32_t bits) {
        EnumSet set;
        set.bits_ = static_cast<Bits>(bits);
        return set;
    }

    constexpr std::uint32_t ToBits() const { return bits_; }
    constexpr bool Contains(Member member) const { return (bits_ & BitOf(member)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr void Include(Member member) { bits_ = static_cast<Bits>(bits_ | BitOf(member)); }
    constexpr void Exclude(Member member) { bits_ = static_cast<Bits>(bits_ & ~BitOf(member)); }
    constexpr bool operator==(const EnumSet&) const = default;

private:
    static constexpr Bits BitOf(Member member) {
        return static_cast<Bits>(1u << static_cast<unsigned>(member));
    }
    Bits bits_ = 0;
};

}  // namespace velora::component
