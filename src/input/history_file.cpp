#include "input/history_file.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "common/paths.h"
#include "common/text_file.h"

namespace brezzolo {
namespace {

// Fields are assembled from their bytes, so the result is the same on any host byte order.
std::uint32_t readUint32(const HistoryRecordBytes& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void writeUint32(HistoryRecordBytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

}  // namespace

HistoryRecord decodeHistoryRecord(const HistoryRecordBytes& bytes) {
    HistoryRecord record;
    record.time = static_cast<std::int32_t>(readUint32(bytes, historyOffsets::time));
    record.pressureAbs = std::bit_cast<float>(readUint32(bytes, historyOffsets::pressureAbs));
    record.rainTotal = std::bit_cast<float>(readUint32(bytes, historyOffsets::rainTotal));
    record.outdoorTemp = std::bit_cast<float>(readUint32(bytes, historyOffsets::outdoorTemp));
    return record;
}

HistoryRecordBytes encodeHistoryRecord(const HistoryRecord& record) {
    HistoryRecordBytes bytes{};
    writeUint32(bytes, historyOffsets::time, static_cast<std::uint32_t>(record.time));
    writeUint32(bytes, historyOffsets::pressureAbs,
                std::bit_cast<std::uint32_t>(record.pressureAbs));
    writeUint32(bytes, historyOffsets::rainTotal, std::bit_cast<std::uint32_t>(record.rainTotal));
    writeUint32(bytes, historyOffsets::outdoorTemp,
                std::bit_cast<std::uint32_t>(record.outdoorTemp));
    return bytes;
}

std::int64_t roundedRecordNumber(double recordNumber) {
    // nearbyint rounds in the default mode: to nearest, halves to the even neighbour.
    return static_cast<std::int64_t>(std::nearbyint(recordNumber));
}

double recordBeforeAnchor(const HistoryLayout& layout, double minutes) {
    return layout.anchor - std::floor(minutes / layout.sampleInterval);
}

bool recordExists(double recordNumber) {
    return std::isfinite(recordNumber) && roundedRecordNumber(recordNumber) >= 1;
}

std::optional<HistoryReader> HistoryReader::open(const std::string& path) {
    if (!fileExists(path)) {
        return std::nullopt;  // a folder opens as a stream on some systems
    }
    std::ifstream in;
    in.rdbuf()->pubsetbuf(nullptr, 0);  // the reader keeps its own block
    in.open(toFsPath(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    if (!in || length < 0) {
        return std::nullopt;
    }
    return HistoryReader(std::move(in),
                         static_cast<double>(length) / static_cast<double>(kHistoryRecordSize));
}

bool HistoryReader::fetch(std::int64_t firstRecord, std::int64_t count) {
    const auto wholeRecords = static_cast<std::int64_t>(std::floor(recordCount_));
    count = std::min(count, wholeRecords - firstRecord + 1);
    if (firstRecord < 1 || count < 1) {
        return false;
    }
    block_.assign(static_cast<std::size_t>(count) * kHistoryRecordSize, 0);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(firstRecord - 1) *
              static_cast<std::streamoff>(kHistoryRecordSize));
    in_.read(reinterpret_cast<char*>(block_.data()), static_cast<std::streamsize>(block_.size()));
    if (!in_ || in_.gcount() != static_cast<std::streamsize>(block_.size())) {
        block_.clear();
        return false;
    }
    blockFirst_ = firstRecord;
    return true;
}

void HistoryReader::prefetch(double firstRecord, double lastRecord) {
    if (!std::isfinite(firstRecord) || !std::isfinite(lastRecord)) {
        return;
    }
    const std::int64_t first = std::max<std::int64_t>(1, roundedRecordNumber(firstRecord));
    const std::int64_t last = roundedRecordNumber(lastRecord);
    if (last >= first && last - first < kPrefetchLimit) {
        fetch(first, last - first + 1);
    }
}

std::optional<HistoryRecord> HistoryReader::read(double recordNumber) {
    if (!std::isfinite(recordNumber)) {
        return std::nullopt;
    }
    const std::int64_t k = roundedRecordNumber(recordNumber);
    // Record k must lie wholly inside the file: 36 * k bytes at least.
    if (k < 1 || static_cast<double>(k) > recordCount_) {
        return std::nullopt;
    }
    const auto blockRecords = static_cast<std::int64_t>(block_.size() / kHistoryRecordSize);
    if ((k < blockFirst_ || k >= blockFirst_ + blockRecords) && !fetch(k, kBlockRecords)) {
        return std::nullopt;
    }
    HistoryRecordBytes bytes{};
    const auto offset =
        static_cast<std::ptrdiff_t>(static_cast<std::size_t>(k - blockFirst_) * kHistoryRecordSize);
    std::copy_n(block_.begin() + offset, bytes.size(), bytes.begin());
    return decodeHistoryRecord(bytes);
}

std::optional<HistoryLayout> readHistoryLayout(HistoryReader& history) {
    if (history.recordCount() < 3) {
        return std::nullopt;
    }
    HistoryLayout layout;
    layout.recordCount = history.recordCount();
    layout.anchor = layout.recordCount - 1;
    history.prefetch(layout.anchor - 1, layout.anchor);
    const auto latest = history.read(layout.anchor);
    const auto before = history.read(layout.anchor - 1);
    if (!latest || !before) {
        return std::nullopt;
    }
    const auto seconds = static_cast<std::int64_t>(latest->time) - before->time;
    layout.sampleInterval = static_cast<double>(seconds) / 60.0;
    return layout;
}

std::optional<HistoryLayout> readHistoryLayout(const std::string& path) {
    auto history = HistoryReader::open(path);
    return history ? readHistoryLayout(*history) : std::nullopt;
}

}  // namespace brezzolo
