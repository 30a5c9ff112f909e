// The serial port against a pseudo-terminal: the test holds the master side, the port opens
// the slave side as if it were a serial port.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <vector>

#include "io/serial_port.h"

namespace brezzolo {
namespace {

using std::chrono::milliseconds;

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(::grantpt(master_), 0);
        ASSERT_EQ(::unlockpt(master_), 0);
        slave_ = ::ptsname(master_);
    }
    void TearDown() override { closeMaster(); }

    void closeMaster() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

    // What the port sent, up to `count` bytes, each within a second.
    std::vector<std::uint8_t> receiveAtMaster(std::size_t count) {
        std::vector<std::uint8_t> bytes;
        while (bytes.size() < count) {
            pollfd entry{master_, POLLIN, 0};
            if (::poll(&entry, 1, 1000) <= 0) {
                break;
            }
            std::uint8_t buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }

    SerialOpenResult openStationPort(SerialPort& port) {
        return port.open(slave_, SerialSettings{2400, ModemLines::DtrOffRtsOn});
    }

    int master_ = -1;
    std::string slave_;
};

std::vector<std::uint8_t> everyByteValue() {
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST_F(SerialPortTest, EveryByteValuePassesBothWaysUnchanged) {
    SerialPort port;
    const SerialOpenResult opened = openStationPort(port);
    ASSERT_TRUE(opened.ok()) << opened.errorText;
    // CR, LF, XON, XOFF and DEL among them: a terminal left cooked would change or eat them.
    const std::vector<std::uint8_t> bytes = everyByteValue();

    ASSERT_EQ(port.write(bytes, milliseconds(2000)), IoStatus::Ok);
    EXPECT_EQ(receiveAtMaster(bytes.size()), bytes);

    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), 256);
    std::vector<std::uint8_t> received;
    std::uint8_t byte = 0;
    while (received.size() < bytes.size() &&
           port.readByte(byte, milliseconds(2000)) == IoStatus::Ok) {
        received.push_back(byte);
    }
    EXPECT_EQ(received, bytes);
}

TEST_F(SerialPortTest, AReadWithNothingToReadTimesOut) {
    SerialPort port;
    ASSERT_TRUE(openStationPort(port).ok());
    std::uint8_t byte = 0;
    EXPECT_EQ(port.readByte(byte, milliseconds(100)), IoStatus::TimedOut);
    // Still usable afterwards.
    const std::uint8_t ack = 0x02;
    ASSERT_EQ(::write(master_, &ack, 1), 1);
    ASSERT_EQ(port.readByte(byte, milliseconds(2000)), IoStatus::Ok);
    EXPECT_EQ(byte, ack);
}

TEST_F(SerialPortTest, DiscardedInputIsNotRead) {
    SerialPort port;
    ASSERT_TRUE(openStationPort(port).ok());
    const std::uint8_t stale[] = {0x00, 0x02, 0x02};
    ASSERT_EQ(::write(master_, stale, sizeof stale), 3);
    std::uint8_t byte = 0;
    ASSERT_EQ(port.readByte(byte, milliseconds(2000)), IoStatus::Ok);  // the rest is buffered
    port.discardInput();
    EXPECT_EQ(port.readByte(byte, milliseconds(100)), IoStatus::TimedOut);
}

TEST_F(SerialPortTest, ASecondOpenIsRefusedWhileTheFirstHoldsThePort) {
    SerialPort first;
    ASSERT_TRUE(openStationPort(first).ok());
    SerialPort second;
    const SerialOpenResult refused = openStationPort(second);
    EXPECT_EQ(refused.failure, SerialOpenFailure::InUse);
    EXPECT_NE(refused.errorText.find(slave_), std::string::npos) << refused.errorText;
    EXPECT_FALSE(second.isOpen());

    first.close();
    EXPECT_TRUE(openStationPort(second).ok());
}

TEST_F(SerialPortTest, AVanishedPortFailsTheNextRead) {
    SerialPort port;
    ASSERT_TRUE(openStationPort(port).ok());
    closeMaster();
    std::uint8_t byte = 0;
    EXPECT_EQ(port.readByte(byte, milliseconds(2000)), IoStatus::Failed);
    EXPECT_NE(port.errorText().find(slave_), std::string::npos) << port.errorText();
}

TEST_F(SerialPortTest, ModemLinesThatCannotBeSetDoNotStopTheOpen) {
    // A pseudo-terminal has no modem lines, like some USB adapters.
    SerialPort port;
    const SerialOpenResult opened = openStationPort(port);
    EXPECT_TRUE(opened.ok());
    EXPECT_TRUE(opened.modemLinesFailed);
    EXPECT_TRUE(port.isOpen());
}

TEST(SerialPortOpen, AMissingPortIsNotFound) {
    SerialPort port;
    const SerialOpenResult result = port.open("/dev/ttyBrezzoloMissing", SerialSettings{});
    EXPECT_EQ(result.failure, SerialOpenFailure::NotFound);
    EXPECT_NE(result.errorText.find("/dev/ttyBrezzoloMissing"), std::string::npos);
}

}  // namespace
}  // namespace brezzolo
