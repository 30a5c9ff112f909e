#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brezzolo {

// Heavy Weather's history file: a plain run of 36-byte records, no header, numbered from 1.
// Only four fields of a record are read; all numbers are little-endian.
inline constexpr const char* kDefaultHistoryFileName = "history.dat";
inline constexpr std::size_t kHistoryRecordSize = 36;

// Byte offsets of the fields inside a record.
namespace historyOffsets {
inline constexpr std::size_t time = 4;          // signed 32-bit, seconds
inline constexpr std::size_t pressureAbs = 8;   // IEEE single, hPa
inline constexpr std::size_t rainTotal = 20;    // IEEE single, mm
inline constexpr std::size_t outdoorTemp = 28;  // IEEE single, °C
}  // namespace historyOffsets

// The fields of one record the program uses, in the record's own precision.
struct HistoryRecord {
    std::int32_t time = 0;  // seconds; only differences between records mean anything
    float pressureAbs = 0;
    float rainTotal = 0;
    float outdoorTemp = 0;
};

using HistoryRecordBytes = std::array<unsigned char, kHistoryRecordSize>;

// The four fields taken from a record's bytes, and a record's bytes with every unused byte 0.
HistoryRecord decodeHistoryRecord(const HistoryRecordBytes& bytes);
HistoryRecordBytes encodeHistoryRecord(const HistoryRecord& record);

// Where a file's latest reading stands. The record count is the file length over 36 as a real
// number (a record being written makes it fractional); the anchor is the record before the
// last one, since the last one may still be in progress.
struct HistoryLayout {
    double recordCount = 0;
    double anchor = 0;          // recordCount - 1
    double sampleInterval = 0;  // minutes from record anchor - 1 to the anchor; may be <= 0
};

// A real record number rounded to the record that is read: to the nearest whole number, halves
// to the even neighbour (99.5 reads record 100, 98.5 record 98).
std::int64_t roundedRecordNumber(double recordNumber);

// The record `minutes` before the anchor: anchor - floor(minutes / interval). Needs a sample
// interval greater than 0.
double recordBeforeAnchor(const HistoryLayout& layout, double minutes);

// Whether a record number before the anchor names a record of the file: it must round to 1 or
// more. With a record being written the numbers are fractional, and 0.3 rounds to record 0,
// which no file has.
bool recordExists(double recordNumber);

// A history file opened for reading by record; closed when the reader goes. A read seeks to its
// record and fetches it with the next few records in one go, so a run of consecutive records
// costs a few reads, and no read depends on the file's length.
class HistoryReader {
  public:
    // Nothing when the file cannot be opened or its length cannot be taken.
    static std::optional<HistoryReader> open(const std::string& path);

    double recordCount() const { return recordCount_; }

    // Record number k (rounded as above). Nothing when it lies outside the file.
    std::optional<HistoryRecord> read(double recordNumber);

    // Fetches records first to last (rounded, cut to the file) in one read, so that the reads
    // of a look-back over them cost nothing more. A range too long to hold is left to read().
    void prefetch(double firstRecord, double lastRecord);

  private:
    static constexpr std::int64_t kBlockRecords = 64;
    // The most records prefetch() holds: a day at one record a minute, with room to spare.
    static constexpr std::int64_t kPrefetchLimit = 4096;

    HistoryReader(std::ifstream in, double recordCount)
        : in_(std::move(in)), recordCount_(recordCount) {}
    bool fetch(std::int64_t firstRecord, std::int64_t count);

    std::ifstream in_;
    double recordCount_ = 0;
    std::vector<unsigned char> block_;  // whole records from blockFirst_ on
    std::int64_t blockFirst_ = 0;
};

// Where the latest reading of an open history file stands: reads the anchor and the record
// before it. Nothing when the file holds fewer than three records or they cannot be read. An
// interval of 0 or less is returned as it is: each user decides what to do with it.
std::optional<HistoryLayout> readHistoryLayout(HistoryReader& history);

// The same for a file by its path, opened and closed within the call.
std::optional<HistoryLayout> readHistoryLayout(const std::string& path);

}  // namespace brezzolo
