// One poll of the WS23xx's current values against the fake station of the tests, and reading
// its whole history ring. The CPU time is small; what counts is the line: the counters give the
// bytes both ways and what they take at 2400 baud (10 bits a byte), beside the least the memory
// map allows (the needed nibbles as data, plus the fixed bytes of one read for every area when
// each area is read alone, or for every read of the merged plan).

#include <numeric>
#include <vector>

#include <benchmark/benchmark.h>

#include "station/station_values.h"
#include "station/ws23xx_read_plan.h"
#include "station/ws23xx_reader.h"
#include "support/fake_ws23xx_station.h"

namespace {

using namespace brezzolo;

double lineSeconds(double bytes) {
    return bytes * 10 / 2400;
}

ReadOptions noPauses() {
    ReadOptions options;
    options.sleep = [](std::chrono::milliseconds) {};
    return options;
}

void countLine(benchmark::State& state, const test::FakeWs23xxStation& station) {
    const auto out = static_cast<double>(station.hostBytes().size());
    const auto in = static_cast<double>(station.stationBytes().size());
    state.counters["bytes_out"] = out;
    state.counters["bytes_in"] = in;
    state.counters["line_s"] = lineSeconds(out + in);
}

void stationPoll(benchmark::State& state) {
    for (auto _ : state) {
        test::FakeWs23xxStation station;
        test::putSampleMemory(station);
        const auto read = readStationValues(station, noPauses());
        if (!read.value) {
            state.SkipWithError("the poll failed");
            return;
        }
        benchmark::DoNotOptimize(read);
        state.PauseTiming();
        countLine(state, station);
        state.ResumeTiming();
    }
    const auto areas = ws23xx::stationValueAreas();
    const auto plan = ws23xx::planReads(areas);
    state.counters["reads"] = static_cast<double>(plan.size());
    state.counters["areas"] = static_cast<double>(areas.size());
    int nibbles = 0;
    for (const ws23xx::MemoryArea& area : areas) {
        nibbles += area.nibbles;
    }
    state.counters["needed_nibbles"] = nibbles;
    state.counters["alone_bytes"] = ws23xx::bytesExchanged(areas);
    state.counters["alone_s"] = lineSeconds(ws23xx::bytesExchanged(areas));
    state.counters["merged_bytes"] = ws23xx::bytesExchanged(plan);
    state.counters["merged_s"] = lineSeconds(ws23xx::bytesExchanged(plan));
}
BENCHMARK(stationPoll)->Unit(benchmark::kMicrosecond);

// The header and all 175 records, as a catch-up after a long gap reads them.
void stationWholeHistory(benchmark::State& state) {
    std::vector<int> indexes(kStationHistoryCapacity);
    std::iota(indexes.begin(), indexes.end(), 0);
    for (auto _ : state) {
        test::FakeWs23xxStation station;
        test::putSampleMemory(station);
        const auto header = readStationHistoryHeader(station, noPauses());
        const auto records = readStationHistoryRecords(station, indexes, noPauses());
        if (!header.value || !records.value) {
            state.SkipWithError("the history read failed");
            return;
        }
        benchmark::DoNotOptimize(records);
        state.PauseTiming();
        countLine(state, station);
        state.ResumeTiming();
    }
}
BENCHMARK(stationWholeHistory)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
