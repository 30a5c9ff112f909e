#pragma once

#include <optional>
#include <string>

#include "aprs_is/settings.h"
#include "aprs_is/time_zone.h"
#include "common/station_reading.h"

namespace brezzolo {

// The reading a cycle reported in my_meteo.txt, with the rain since midnight before rounding
// (mm) as the report used it, so that the packet's fields are the report's.
struct ReportedReading {
    StationReading reading;
    double rainSinceMidnightMm = 0;
};

// The destination of our packets: an experimental one of the APZ family, until a registered
// one is assigned.
inline constexpr const char* kAprsIsDestination = "APZBRZ";

// Degrees as APRS writes a position, in degrees, minutes and hundredths of a minute:
// 41.8917 gives "4153.50N", -33.8688 "3352.13S"; 12.4883 gives "01229.30E".
std::string aprsLatitude(double degrees);
std::string aprsLongitude(double degrees);

// The local time of the reading's header; nothing when the header holds no valid time.
std::optional<CivilTime> readingLocalTime(const StationReading& reading);

// "2006-06-05 14:05:09": what tells one reading from the next (Heavy Weather rewrites the
// header with every new reading); empty when the header holds no valid time.
std::string readingStamp(const StationReading& reading);

// The weather data after the station symbol, in APRS order, each field as my_meteo.txt writes
// it where the two agree: "270/004g...t070r001p006P006h55b10132". Unlike the report line the
// gust is unknown ("g..."), the pressure is always the sea-level one, a north wind is 360
// (000 would mean no direction), and a value no station gives (no pressure, no humidity, a
// direction beyond 360) is sent as unknown dots, never as a zero.
std::string aprsIsWeatherFields(const ReportedReading& reported);

// The information field of our weather report, the same on APRS-IS and on the air:
// "/051205z4153.50N/01229.30E_270/004g...t070r001p006P006h55b10132" followed by the comment
// (after a blank when it would read as more weather data, "h12 ..."): a weather report with
// position and UTC time, without messaging. Nothing when the reading has no valid time.
std::optional<std::string> aprsWeatherInformation(const ReportedReading& reported,
                                                  const AprsIsSettings& settings,
                                                  const TimeZone& zone);

// The whole packet, without line end:
// "IZ0ABC-13>APZBRZ,TCPIP*:" and the information field above. Nothing when the reading has
// no valid time.
std::optional<std::string> aprsIsPacket(const ReportedReading& reported,
                                        const AprsIsSettings& settings, const TimeZone& zone);

}  // namespace brezzolo
