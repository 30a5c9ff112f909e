#include <gtest/gtest.h>

#include "common/numeric_value.h"

namespace brezzolo {
namespace {

TEST(NumericValue, ReadsTheNumberAtTheStart) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"21.5\"", 21.5},  // a closing quote after the number
        {"  -.4", -0.4},   // leading blanks, no 0 before the point
        {" 10", 10},       // numText form
        {"+7", 7},
        {"\t 8 hPa", 8},
        {"1 2 3", 123},  // blanks inside the number are skipped
        {"- 5", -5},
        {"1.5E3", 1500},
        {"2e-2x", 0.02},
        {"1.5E", 1.5},  // an exponent needs digits
        {"1.5E+", 1.5},
        {"1.2.3", 1.2},  // one point only
        {"12,5", 12},    // a comma ends the number
        {"1013.2\" hPa", 1013.2},
        {"-15.2", -15.2},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumericValue, TextsThatAreNoNumberGiveZero) {
    for (const char* text : {"", " ", "tend3", "RainToday", "StatoPress", ".", "-", "+", "E5",
                             "x12", "1E999", "-1E999"}) {
        EXPECT_EQ(numericValue(text), 0.0) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace brezzolo
