#include "station/ws23xx_reader.h"

#include "station/ws23xx_memory.h"
#include "station/ws23xx_protocol.h"
#include "station/ws23xx_read_plan.h"

namespace brezzolo {

namespace {

template <typename Value, typename From>
StationRead<Value> failed(const StationRead<From>& read) {
    return {std::nullopt, read.failure, read.detail};
}

}  // namespace

StationRead<StationValues> readStationValues(ByteLine& line, const ReadOptions& options) {
    static const std::vector<ws23xx::MemoryArea> plan =
        ws23xx::planReads(ws23xx::stationValueAreas());
    ws23xx::NibbleImage image;
    for (const ws23xx::MemoryArea& area : plan) {
        const auto read = ws23xx::readNibbles(line, area.address, area.nibbles, options);
        if (!read.value) {
            return failed<StationValues>(read);
        }
        image.put(area.address, *read.value);
    }
    return ws23xx::decodeStationValues(image);
}

StationRead<StationHistoryHeader> readStationHistoryHeader(ByteLine& line,
                                                           const ReadOptions& options) {
    const auto read =
        ws23xx::readNibbles(line, ws23xx::kHistoryHeader, ws23xx::kHistoryHeaderNibbles, options);
    if (!read.value) {
        return failed<StationHistoryHeader>(read);
    }
    auto header = ws23xx::decodeHistoryHeader(*read.value);
    if (!header) {
        return {std::nullopt, ReadFailure::InvalidData, "intestazione dello storico non valida"};
    }
    return {std::move(header), ReadFailure::None, {}};
}

StationRead<std::vector<StationHistoryRecord>> readStationHistoryRecords(
    ByteLine& line, const std::vector<int>& indexes, const ReadOptions& options) {
    using Records = std::vector<StationHistoryRecord>;
    Records records;
    for (const int index : indexes) {
        if (index < 0 || index >= kStationHistoryCapacity) {
            return {std::nullopt, ReadFailure::InvalidData, "indice dello storico non valido"};
        }
        const auto read = ws23xx::readNibbles(line, ws23xx::historyRecordAddress(index),
                                              ws23xx::kHistoryRecordNibbles, options);
        if (!read.value) {
            return failed<Records>(read);
        }
        records.push_back(ws23xx::decodeHistoryRecord(*read.value));
    }
    return {std::move(records), ReadFailure::None, {}};
}

}  // namespace brezzolo
