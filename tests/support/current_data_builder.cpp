#include "support/current_data_builder.h"

#include "input/current_data_reader.h"
#include "support/temp_folder.h"

namespace brezzolo::test {

CurrentDataBuilder::CurrentDataBuilder() {
    for (int i = 1; i <= 79; ++i) {
        lines_.push_back("; line " + std::to_string(i));
    }
}

CurrentDataBuilder& CurrentDataBuilder::put(int line, int column, const std::string& text) {
    if (static_cast<int>(lines_.size()) < line) {
        lines_.resize(static_cast<std::size_t>(line));
    }
    std::string& target = lines_[static_cast<std::size_t>(line - 1)];
    target.resize(static_cast<std::size_t>(column - 1), ' ');
    target += text;
    return *this;
}

CurrentDataBuilder& CurrentDataBuilder::header(const std::string& time) {
    return put(11, 1, "time_last_update   = \"UTC+1 ").put(11, 35, time + "\"");
}

CurrentDataBuilder CurrentDataBuilder::typical() {
    CurrentDataBuilder b;
    b.header("Mon Jun 05 14:05:09 2006");
    b.put(17, 1, "fcast =  2\"");
    b.put(22, 1, "tend  =  1\"");
    b.put(25, 1, "in_temp  22.3\"");
    b.put(29, 1, "out_temp 21.5\"");
    b.put(30, 1, "out_tmpF 70.7\"");
    b.put(33, 1, "in_humid   45\"");
    b.put(36, 1, "out_humid  55\"");
    b.put(39, 1, "dewpoint 12.1\"");
    b.put(43, 1, "windchl  21.5\"");
    b.put(48, 1, "wind_k  7.2\"");
    b.put(49, 1, "wind_m  4.5\"");
    b.put(54, 1, "wind_d  270.0\"");
    b.put(58, 1, "rain_t 123.4\"");
    b.put(62, 1, "rain24  1.5\"");
    b.put(63, 1, "rain24in 0.06\"");
    b.put(66, 1, "rain1h  0.3\"");
    b.put(67, 1, "rain1hin 0.01\"");
    b.put(70, 1, "p_abs  970.0\"");
    b.put(74, 1, "p_rel  1013.2\"");
    b.put(79, 1, "storm_al  0\"");
    return b;
}

std::string CurrentDataBuilder::text() const {
    return crlf(lines_);
}

void CurrentDataBuilder::writeTo(const std::string& path) const {
    writeFileBytes(path, text());
}

void writeHistoryFile(const std::string& path, const std::vector<HistoryRecord>& records,
                      std::size_t extraBytes) {
    std::string bytes;
    for (const HistoryRecord& record : records) {
        const HistoryRecordBytes one = encodeHistoryRecord(record);
        bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
    }
    writeFileBytes(path, bytes.append(extraBytes, '\0'));
}

ReportedReading typicalReading(const std::string& header) {
    CurrentDataBuilder b = CurrentDataBuilder::typical();
    if (!header.empty()) {
        b.header(header);
    }
    return {parseCurrentData(b.lines()), 1.5};
}

}  // namespace brezzolo::test
