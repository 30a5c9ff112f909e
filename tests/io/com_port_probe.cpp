// The serial port on Windows, against COM1 as tests/io/com_port_under_wine.sh makes it under
// Wine: a pseudo-terminal whose other side sends back every byte it receives.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "io/serial_port.h"

namespace brezzolo {
namespace {

using std::chrono::milliseconds;

TEST(ComPort, BytesGoOutAndComeBackUnchangedAndWaitsEndInTime) {
    SerialPort port;
    const SerialOpenResult opened =
        port.open("COM1", SerialSettings{2400, ModemLines::DtrOffRtsOn});
    ASSERT_TRUE(opened.ok()) << opened.errorText;
    if (opened.modemLinesFailed) {
        std::cout << opened.modemLinesText << "\n";
    }
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    ASSERT_EQ(port.write(bytes, milliseconds(3000)), IoStatus::Ok) << port.errorText();
    std::vector<std::uint8_t> echoed;
    std::uint8_t byte = 0;
    while (echoed.size() < bytes.size() &&
           port.readByte(byte, milliseconds(3000)) == IoStatus::Ok) {
        echoed.push_back(byte);
    }
    EXPECT_EQ(echoed, bytes);

    // Nothing more comes: the wait ends with its limit, and the port works on.
    EXPECT_EQ(port.readByte(byte, milliseconds(200)), IoStatus::TimedOut);
    const std::uint8_t reset = 0x06;
    ASSERT_EQ(port.write(std::span(&reset, 1), milliseconds(1000)), IoStatus::Ok);
    ASSERT_EQ(port.readByte(byte, milliseconds(3000)), IoStatus::Ok) << port.errorText();
    EXPECT_EQ(byte, reset);
}

// Not checked here: that a second open is refused. Windows refuses it (the port is opened
// without sharing); Wine 8 lets it through.

}  // namespace
}  // namespace brezzolo
