#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>

#include "controls/peers/ExceptionMessage.h"

using velora::controls::ExceptionMessage;

namespace {

std::exception_ptr Thrown(auto&& make) {
    try {
        make();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

}  // namespace

// A standard exception shows its own text, derived ones too; anything else
// a fixed one.
TEST(ExceptionMessage, StandardExceptionsShowTheirTextAnythingElseAFixedOne) {
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw std::runtime_error("Datei fehlt"); })), "Datei fehlt");
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw std::out_of_range(""); })), "");
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw 42; })), "Unknown error");
    EXPECT_EQ(ExceptionMessage(Thrown([] { throw std::string("text"); })), "Unknown error");
}
