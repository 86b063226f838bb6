#pragma once
// The lines a form and its window in another process exchange: fields
// separated by tabs, each line ended by a newline. A backslash escapes a tab
// ("\t"), a newline ("\n"), a carriage return ("\r") and itself ("\\"), so
// that any text travels in one field.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velora::controls {

// The first field names what the line asks or tells; the rest are its values.
using RemoteFields = std::vector<std::string>;

// The line, newline included.
std::string EncodeRemoteLine(const RemoteFields& fields);

enum class RemoteLineErrorKind {
    UnknownEscape,  // a backslash before another character than t, n, r or a backslash
    EscapeAtEnd,    // a backslash as the line's last character
};

struct RemoteLineError {
    RemoteLineErrorKind kind;
    // Of the backslash, from the line's start.
    std::size_t offset;
};

// One line without its newline. An empty line is one empty field.
std::variant<RemoteFields, RemoteLineError> DecodeRemoteLine(std::string_view line);

// Cuts what arrives in pieces into lines. A line longer than the bound is
// dropped whole (what follows its newline is read again), so a broken peer
// cannot make the program hold ever more.
class RemoteLineSplitter {
public:
    static constexpr std::size_t kLongestLine = 1 << 20;

    explicit RemoteLineSplitter(std::size_t longestLine = kLongestLine) : longestLine_(longestLine) {}

    // Calls `line` with every line completed by `bytes`, without its newline.
    void Feed(std::string_view bytes, const std::function<void(std::string_view)>& line);

private:
    std::size_t longestLine_;
    std::string pending_;
    // The line now arriving is too long: its rest is dropped too.
    bool dropping_ = false;
};

}  // namespace velora::controls
