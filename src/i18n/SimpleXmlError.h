#pragma once
// The error the XML reader raises when its input breaks a rule. what() is the
// fixed message text; offset() is the byte position in the input where the
// reader noticed the fault (the input's length when the input ran out).

#include <cstddef>
#include <stdexcept>
#include <string>

namespace velora::i18n {

class ESimpleXMLError : public std::runtime_error {
public:
    ESimpleXMLError(const std::string& message, std::size_t offset)
        : std::runtime_error(message), offset_(offset) {}

    std::size_t offset() const noexcept { return offset_; }

private:
    std::size_t offset_;
};

}  // namespace velora::i18n
