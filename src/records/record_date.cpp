#include "records/record_date.h"

#include <string_view>

namespace brezzolo {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a text made of digits only; nothing for any other text.
std::optional<int> digitsValue(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<RecordDate> readingDate(const StationReading& reading) {
    std::string_view day = reading.day;
    if (day.size() == 2 && day.front() == ' ') {
        day.remove_prefix(1);
    } else if (day.size() != 2) {
        return std::nullopt;
    }
    if (reading.year.size() != 4 || reading.monthNumber.size() != 2) {
        return std::nullopt;
    }
    const auto year = digitsValue(reading.year);
    const auto month = digitsValue(reading.monthNumber);
    const auto dayValue = digitsValue(day);
    if (!year || !month || !dayValue || *year < 1 || *month < 1 || *month > 12 || *dayValue < 1 ||
        *dayValue > daysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return RecordDate{*year, *month, *dayValue};
}

RecordDate dayBefore(const RecordDate& date) {
    if (date.day > 1) {
        return {date.year, date.month, date.day - 1};
    }
    if (date.month > 1) {
        return {date.year, date.month - 1, daysInMonth(date.year, date.month - 1)};
    }
    return {date.year - 1, 12, 31};
}

std::string zeroPadded(int value, int width) {
    std::string text = std::to_string(value);
    if (text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

}  // namespace brezzolo
