#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "aprs_is/packet.h"
#include "input/history_file.h"

namespace brezzolo::test {

// Builds a current-data file line by line: 79 filler lines, into which a test places texts at
// a line and column (both from 1), as Heavy Weather's file carries them.
class CurrentDataBuilder {
  public:
    CurrentDataBuilder();

    // Puts `text` at the column, padding the line with blanks; the rest of the line is replaced.
    CurrentDataBuilder& put(int line, int column, const std::string& text);

    // The header time at columns 35 to 58 of line 11, e.g. "Sun Jun  4 14:05:09 2006".
    CurrentDataBuilder& header(const std::string& time);

    // A plausible complete reading (Mon Jun 05 14:05:09 2006, 21.5 °C, 1013.2 hPa ...).
    static CurrentDataBuilder typical();

    const std::vector<std::string>& lines() const { return lines_; }
    std::string text() const;  // CR LF after every line
    void writeTo(const std::string& path) const;

  private:
    std::vector<std::string> lines_;
};

// A history file of these records, oldest first, and `extraBytes` zero bytes of a record still
// being written.
void writeHistoryFile(const std::string& path, const std::vector<HistoryRecord>& records,
                      std::size_t extraBytes = 0);

// The typical reading as the cycle reports it to the APRS-IS upload (1.5 mm of rain since
// midnight), its header time replaced when one is given.
ReportedReading typicalReading(const std::string& header = "");

}  // namespace brezzolo::test
