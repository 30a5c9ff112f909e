#include "assessment/aprs_report.h"

#include "assessment/aprs_weather_data.h"
#include "assessment/local_situation.h"
#include "assessment/tendency_forecast.h"
#include "common/num_text.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "common/user_message.h"
#include "input/current_data_reader.h"
#include "version.h"

namespace brezzolo {
namespace {

// The user message as a comment: at most 20 characters, and control characters (a line break
// pasted into the box) become blanks, so the report always stays two lines.
std::string userMessageComment(const std::string& message) {
    std::string comment = limitUserMessage(message);
    for (char& c : comment) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return comment;
}

// Line 1: "Jun 05 2006 14:05", the header pieces as read.
std::string reportTimeLine(const StationReading& r) {
    return r.monthAbbrev + " " + r.day + " " + r.year + " " + r.hour + ":" + r.minute;
}

// Line 2: the weather data, the comment, the station type and the version tail.
std::string reportDataLine(const std::string& weatherData, const std::string& comment) {
    return weatherData + comment + "/" + kStationType + "/" + version::reportTail;
}

// "Pressione rel.:   1013.2 hPa": two blanks of the caption, one of the number.
std::string relativePressureCaption(double hectopascals) {
    return "Pressione rel.:  " + numText(hectopascals) + " hPa";
}

std::string absolutePressureCaption(double hectopascals) {
    return "Pressione ass.:  " + numText(hectopascals) + " hPa";
}

}  // namespace

std::string reportComment(const CommentSources& s) {
    std::string comment;
    switch (s.reportMode) {
        case ReportMode::Forecast:
            comment = s.forecastText;
            break;
        case ReportMode::LocalSituation:
            comment = s.localSituation;
            break;
        case ReportMode::NoWeatherComment:
            break;
    }
    if (s.userMessageOn && !s.userMessage.empty()) {
        comment = userMessageComment(s.userMessage);
    }
    if (s.stormAlarm == StormAlarm::Active) {
        comment = kStormAlarmComment;
    }
    if (s.forecast == StationForecast::None) {
        comment = kNoForecastComment;
    }
    return comment;
}

void writeAprsReport(const StationReading& reading, const CycleSettings& settings,
                     const std::string& forecastText, const Appoggio& store,
                     MainWindowModel& window) {
    const std::string timeLine = reportTimeLine(reading);
    const std::string weatherData = aprsWeatherData(reading, settings.pressureType,
                                                    rainSinceMidnightMm(reading, store.Raintoday));

    window.Label16.Caption = relativePressureCaption(reading.pressureRel);
    window.Label33.Caption = absolutePressureCaption(reading.pressureAbs);

    const std::string situation = localSituation(reading);
    window.Label4.Caption = localSituationCaption(situation);
    const std::string comment =
        reportComment({settings.reportMode, forecastText, situation, window.Check1, window.Text2,
                       stormAlarmCode(reading.stormAlarm), forecastCode(reading.forecast)});
    window.Label19.Caption = forecastLabel(forecastText);

    const std::string dataLine = reportDataLine(weatherData, comment);
    // No output folder, no file. The report is renewed even while UI-View holds it open.
    if (const auto path = joinPath(settings.outputFolder, kReportFileName)) {
        renewTextFile(*path, {timeLine, dataLine});
    }
    window.Text1 = timeLine + "\r\n" + dataLine;
}

}  // namespace brezzolo
