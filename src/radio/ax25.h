#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brezzolo {

// AX.25 UI frames and the KISS framing that carries them to a TNC, the little a station needs
// to put one APRS packet on the air. The TNC adds the flags and the frame check sequence.

// An address of the frame: a callsign of 1 to 6 upper-case letters and digits, and its SSID.
struct Ax25Address {
    std::string callsign;
    int ssid = 0;

    bool operator==(const Ax25Address&) const = default;
};

// "IZ0ABC-13", "WIDE2-1", "APZBRZ": letters are taken in either case, the SSID is 0 to 15
// without a leading zero, and "-0" is the same as none. Nothing for anything else.
std::optional<Ax25Address> parseAx25Address(const std::string& text);

// "WIDE1-1,WIDE2-1": none, one or two digipeater addresses separated by commas (blanks around
// them do not count). Nothing when an address is bad or there are more than two.
std::optional<std::vector<Ax25Address>> parseDigipeaterPath(const std::string& text);

// The frame from the destination address to the end of the information field: the addresses
// (each callsign shifted left one bit and padded with blanks, then the SSID byte 0b011SSSSx
// with x set on the last address), control 0x03 (UI) and PID 0xF0 (no layer 3).
std::vector<std::uint8_t> ax25UiFrame(const Ax25Address& source, const Ax25Address& destination,
                                      const std::vector<Ax25Address>& path,
                                      const std::string& information);

// A KISS data frame for TNC port 0: FEND, the command byte 0x00, the frame with FEND (0xC0)
// sent as FESC TFEND (0xDB 0xDC) and FESC (0xDB) as FESC TFESC (0xDB 0xDD), FEND.
std::vector<std::uint8_t> kissDataFrame(const std::vector<std::uint8_t>& frame);

}  // namespace brezzolo
