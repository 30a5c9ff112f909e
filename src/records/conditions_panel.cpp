#include "records/conditions_panel.h"

#include <string>

#include "common/colour.h"
#include "common/num_text.h"

namespace brezzolo {
namespace {

// A value label: the caption's name, the number in its usual form and the unit.
std::string valueCaption(const char* name, double value, const char* unit) {
    return name + numText(value) + unit;
}

// The headline: "Situazione meteo di  lunedì  05 giugno 2006  alle ore 14:05".
std::string readingHeadline(const StationReading& r) {
    return "Situazione meteo di  " + r.weekdayName + "  " + r.day + " " + r.monthName + " " +
           r.year + "  alle ore " + r.hour + ":" + r.minute;
}

// The storm alarm as Label18 shows it: its word and text colour.
struct StormAlarmState {
    std::string word;
    Colour colour = colours::black;
};

// A value the station does not define is shown as a fault too.
StormAlarmState stormAlarmState(StormAlarm stormAlarm) {
    switch (stormAlarm) {
        case StormAlarm::Off:
            return {"non attivo", colours::black};
        case StormAlarm::Active:
            return {"** ATTIVO **", colours::red};
        case StormAlarm::Fault:
        case StormAlarm::Other:
            break;
    }
    return {"* GUASTO *", colours::red};
}

}  // namespace

void fillConditionsPanel(const StationReading& r, MainWindowModel& window) {
    window.Label2.Caption = readingHeadline(r);

    window.Label6.Caption = valueCaption("T ext:  ", r.outdoorTemp, " °C");
    window.Label6.ForeColor = r.outdoorTemp < 0 ? colours::red : window.standardTextColour;

    window.Label7.Caption = valueCaption("Hrel ext:  ", r.outdoorHumidity, " %");
    window.Label8.Caption = valueCaption("Dewpoint:  ", r.dewPoint, " °C");
    window.Label9.Caption = valueCaption("Windchill:  ", r.windChill, " °C");
    window.Label10.Caption = valueCaption("Vento:  ", r.windSpeedKmh, " km/h");
    window.Label11.Caption = valueCaption("Direzione:  ", r.windDirection, " °");
    window.Label13.Caption = valueCaption("Totali:  ", r.rainTotal, " mm");
    window.Label14.Caption = valueCaption("Ultime 24h:  ", r.rain24h, " mm");
    window.Label15.Caption = valueCaption("Ultima ora:  ", r.rain1h, " mm");
    window.Label36.Caption = valueCaption("Dalle 00:00 :  ", r.rainSinceMidnight, " mm");

    const StormAlarmState storm = stormAlarmState(stormAlarmCode(r.stormAlarm));
    window.Label18.ForeColor = storm.colour;
    window.Label18.BorderStyle = 0;
    window.Label17.Caption = "Allarme temporale:  ";
    window.Label18.Caption = storm.word;
}

}  // namespace brezzolo
