#include "common/num_text.h"

#include <cmath>
#include <cstdio>

namespace brezzolo {
namespace {

// The largest double, 1.7976931348623157E+308, rounds at 15 digits to 1.79769313486232E+308,
// which lies beyond every double and would read back as no number (0). The largest values are
// therefore written as the largest 15-digit text a double holds.
constexpr double kLargestFifteenDigits = 1.79769313486231e308;

std::string format(double value, int significantDigits) {
    if (std::isnan(value)) {
        return " NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? " Inf" : "-Inf";
    }
    if (value == 0.0) {
        return " 0";  // negative zero too: it is not shown as "-0"
    }
    if (significantDigits == 15 && std::fabs(value) > kLargestFifteenDigits) {
        value = std::copysign(kLargestFifteenDigits, value);
    }
    // %G already drops trailing zeros and switches to an exponent below 1E-4 and from
    // 1E+<digits> on, which is the form we want. snprintf honours the C locale's point
    // only if the program changed LC_NUMERIC, so the point is forced below.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    std::string text(buffer);
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    } else if (text.starts_with("-0.")) {
        text.erase(1, 1);
    }
    if (text.front() != '-') {
        text.insert(text.begin(), ' ');
    }
    return text;
}

}  // namespace

std::string numText(double value) {
    return format(value, 15);
}

std::string numTextSingle(float value) {
    return format(static_cast<double>(value), 7);
}

}  // namespace brezzolo
