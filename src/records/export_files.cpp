#include "records/export_files.h"

#include "common/num_text.h"
#include "common/paths.h"
#include "common/run_statement.h"
#include "common/text_file.h"
#include "records/export_number.h"
#include "records/record_date.h"

namespace brezzolo {

std::vector<std::string> windExportLines(const StationReading& reading) {
    return {"Velocità [km/h]", numText(reading.windSpeedKmh), "Direzione [gradi]",
            numText(reading.windDirection)};
}

std::string snapshotLine(const StationReading& r) {
    std::string line =
        r.year + r.monthNumber + r.day + " " + r.hour + ":" + r.minute + ":" + r.second + " ";
    for (const double value : {r.indoorTemp, r.indoorHumidity, r.pressureAbs, r.pressureRel,
                               r.outdoorTemp, r.outdoorHumidity, r.windSpeedKmh, r.windDirection,
                               r.dewPoint, r.windChill, r.rain1h, r.rain24h, r.rainTotal}) {
        line += ExportNumber(value) + " ";
    }
    return line;
}

std::optional<std::string> daySnapshotFileName(const StationReading& reading) {
    const auto date = readingDate(reading);
    if (!date) {
        return std::nullopt;
    }
    return zeroPadded(date->year, 4) + zeroPadded(date->month, 2) + zeroPadded(date->day, 2) +
           ".txt";
}

void writeExportFiles(const StationReading& reading, const std::string& outputFolder) {
    runStatement([&] {
        if (const auto path = joinPath(outputFolder, kWindExportFileName)) {
            renewTextFile(*path, windExportLines(reading));
        }
    });
    // One snapshot line for both files.
    const std::string snapshot = snapshotLine(reading);
    runStatement([&] {
        if (const auto path = joinPath(outputFolder, kSnapshotFileName)) {
            renewTextFile(*path, {snapshot});
        }
    });
    runStatement([&] {
        const auto name = daySnapshotFileName(reading);
        if (const auto path = name ? joinPath(outputFolder, *name) : std::nullopt) {
            appendLine(*path, snapshot);
        }
    });
}

}  // namespace brezzolo
