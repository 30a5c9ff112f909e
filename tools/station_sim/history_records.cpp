#include <filesystem>
#include <fstream>

#include "common/paths.h"
#include "common/text_file.h"
#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

bool writeAll(std::ofstream& out, const std::string& bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::string historyBytes(const std::vector<HistoryRecord>& records) {
    std::string bytes;
    bytes.reserve(records.size() * kHistoryRecordSize);
    for (const HistoryRecord& record : records) {
        const HistoryRecordBytes one = encodeHistoryRecord(record);
        bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
    }
    return bytes;
}

bool writeHistory(const std::string& path, const std::vector<HistoryRecord>& records) {
    return writeHistoryBytes(path, historyBytes(records));
}

bool writeHistoryBytes(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".sim-new";
    std::ofstream out(toFsPath(temporary), std::ios::binary | std::ios::trunc);
    if (!out || !writeAll(out, bytes) || !replaceFile(temporary, path)) {
        std::error_code ignored;
        std::filesystem::remove(toFsPath(temporary), ignored);
        return false;
    }
    return true;
}

bool appendHistory(const std::string& path, const std::vector<HistoryRecord>& records) {
    std::ofstream out(toFsPath(path), std::ios::binary | std::ios::app);
    return out && writeAll(out, historyBytes(records));
}

}  // namespace brezzolo::sim
