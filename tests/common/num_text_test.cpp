#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "common/num_text.h"
#include "common/numeric_value.h"

namespace brezzolo {
namespace {

struct Case {
    double value;
    const char* text;
};

TEST(NumText, DoublePrecisionForms) {
    const Case cases[] = {
        {21.5, " 21.5"},
        {-3, "-3"},
        {0, " 0"},
        {-0.0, " 0"},  // no "-0"
        {0.5, " .5"},
        {-0.25, "-.25"},
        {-0.1, "-.1"},
        {1013.2, " 1013.2"},
        {1013.0, " 1013"},
        {0.1 + 0.2, " .3"},  // 15 significant digits hide the binary error
        {1.0 / 3.0, " .333333333333333"},
        {-2.0 / 3.0, "-.666666666666667"},
        {123456789012345.0, " 123456789012345"},
        {1e15, " 1E+15"},
        {-1.5e20, "-1.5E+20"},
        {0.0001, " .0001"},
        {0.00001, " 1E-05"},
        {-0.000012, "-1.2E-05"},
        // The largest double would round up beyond the range, to a text that reads back as 0.
        {std::numeric_limits<double>::max(), " 1.79769313486231E+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
        {1.797693134862315e308, " 1.79769313486231E+308"},
        {1.79769313486231e308, " 1.79769313486231E+308"},
        {1.79769313486229e308, " 1.79769313486229E+308"},
        {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numText(c.value), c.text) << c.value;
    }
}

TEST(NumText, EveryFiniteValueReadsBackToTheSameText) {
    for (const double value :
         {std::numeric_limits<double>::max(),
          -std::nextafter(std::numeric_limits<double>::max(), 0.0),
          std::numeric_limits<double>::denorm_min(), 1e-310, 1.0 / 3.0, -123456789012345678.0}) {
        const std::string text = numText(value);
        EXPECT_EQ(numText(numericValue(text)), text) << value;
    }
}

TEST(NumText, SinglePrecisionKeepsSevenDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {12.3f, " 12.3"},  // as a double this would be 12.3000001907349
        {-3.5f, "-3.5"},          {-0.4f, "-.4"}, {969.5f, " 969.5"}, {1.0f / 3.0f, " .3333333"},
        {1234567.8f, " 1234568"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numTextSingle(c.value), c.text) << c.value;
    }
    EXPECT_EQ(numText(static_cast<double>(12.3f)), " 12.3000001907349");
}

TEST(NumText, PointWhateverTheLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) {
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    const std::string text = numText(-0.25);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(text, "-.25");
}

}  // namespace
}  // namespace brezzolo
