#include "common/numeric_value.h"

#include <charconv>
#include <string>
#include <system_error>

namespace brezzolo {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double numericValue(std::string_view text) {
    // Gather the number's characters without the blanks inside it, then convert the clean
    // text with from_chars, which ignores the locale.
    std::string number;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
    };

    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            number += '-';
        }
        ++i;
    }
    bool anyDigit = false;
    bool seenPoint = false;
    for (skipBlanks(); i < text.size(); skipBlanks()) {
        const char c = text[i];
        if (isDigit(c)) {
            number += c;
            anyDigit = true;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
        ++i;
    }
    if (!anyDigit) {
        return 0.0;
    }

    // An exponent counts only when at least one digit follows its letter and sign.
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        while (j < text.size() && isBlank(text[j])) {
            ++j;
        }
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent += text[j];
            ++j;
        }
        bool exponentDigit = false;
        for (; j < text.size(); ++j) {
            if (isDigit(text[j])) {
                exponent += text[j];
                exponentDigit = true;
            } else if (!isBlank(text[j])) {
                break;
            }
        }
        if (exponentDigit) {
            number += exponent;
        }
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc()) {
        return 0.0;
    }
    (void)end;
    return value;
}

}  // namespace brezzolo
