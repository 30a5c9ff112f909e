#pragma once

#include <optional>
#include <string>

#include "common/station_reading.h"

namespace brezzolo {

// The calendar date of a reading's header, as the record files name it.
struct RecordDate {
    int year = 0;   // 1 .. 9999
    int month = 0;  // 1 .. 12
    int day = 0;    // 1 .. the month's last day
};

// The reading's date, when its header pieces make one: a year of four digits, a month number
// "01" to "12" and a day of two digits or of a blank and a digit (Heavy Weather pads days
// below 10 either way), naming a day the month has. Nothing after a failed read, whose texts
// are empty, or for a damaged header: then no dated file is read or written.
std::optional<RecordDate> readingDate(const StationReading& reading);

// The day before, across month and year ends, 29 February included in leap years.
RecordDate dayBefore(const RecordDate& date);

// A whole number as a fixed count of digits with leading zeros: zeroPadded(5, 2) == "05".
std::string zeroPadded(int value, int width);

}  // namespace brezzolo
