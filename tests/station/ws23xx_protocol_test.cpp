#include "station/ws23xx_protocol.h"

#include <vector>

#include <gtest/gtest.h>

#include "support/fake_ws23xx_station.h"

namespace brezzolo::ws23xx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::FakeWs23xxStation;
using test::StationFault;

ReadOptions quickOptions(std::vector<std::chrono::milliseconds>* pauses = nullptr) {
    ReadOptions options;
    options.sleep = [pauses](std::chrono::milliseconds time) {
        if (pauses != nullptr) {
            pauses->push_back(time);
        }
    };
    return options;
}

TEST(Ws23xxProtocol, AddressBytesAndTheirAcknowledgements) {
    const struct {
        int address;
        Bytes sent;
        Bytes acks;
    } cases[] = {
        {0x0373, {0x82, 0x8E, 0x9E, 0x8E}, {0x00, 0x13, 0x27, 0x33}},
        {0x0346, {0x82, 0x8E, 0x92, 0x9A}, {0x00, 0x13, 0x24, 0x36}},
        {0x0527, {0x82, 0x96, 0x8A, 0x9E}, {0x00, 0x15, 0x22, 0x37}},
        {0x06B2, {0x82, 0x9A, 0xAE, 0x8A}, {0x00, 0x16, 0x2B, 0x32}},
    };
    for (const auto& c : cases) {
        FakeWs23xxStation station;
        ASSERT_TRUE(readNibbles(station, c.address, 2, quickOptions()).value);
        const Bytes& host = station.hostBytes();
        const Bytes& answers = station.stationBytes();
        EXPECT_EQ(Bytes(host.begin() + 1, host.begin() + 5), c.sent) << c.address;
        EXPECT_EQ(Bytes(answers.begin() + 1, answers.begin() + 5), c.acks) << c.address;
    }
}

// The outdoor temperature as a real station answered it.
TEST(Ws23xxProtocol, ReadsTheRecordedOutdoorTemperatureExchange) {
    FakeWs23xxStation station;
    station.putNibbles(0x373, {0, 6, 1, 5});
    const auto read = readNibbles(station, 0x373, 4, quickOptions());
    ASSERT_TRUE(read.value);
    EXPECT_EQ(*read.value, (Nibbles{0, 6, 1, 5}));
    EXPECT_EQ(station.hostBytes(), (Bytes{0x06, 0x82, 0x8E, 0x9E, 0x8E, 0xCA}));
    EXPECT_EQ(station.stationBytes(),
              (Bytes{0x02, 0x00, 0x13, 0x27, 0x33, 0x32, 0x60, 0x51, 0xB1}));
}

// Whatever the caller asks for, only reset, address and read bytes can be made.
TEST(Ws23xxProtocol, NoWriteCommandCanBeBuilt) {
    int readOnly = 0;
    for (int byte = 0; byte < 256; ++byte) {
        readOnly += isReadOnlyCommand(static_cast<std::uint8_t>(byte)) ? 1 : 0;
        if (byte >= 0x12 && byte <= 0x7E) {
            EXPECT_FALSE(isReadOnlyCommand(static_cast<std::uint8_t>(byte))) << byte;
        }
    }
    EXPECT_EQ(readOnly, 1 + 16 + 15);
    EXPECT_TRUE(isReadOnlyCommand(HostCommand::reset().byte()));
    for (int value = -300; value <= 300; ++value) {
        EXPECT_TRUE(isReadOnlyCommand(HostCommand::addressNibble(value).byte())) << value;
        EXPECT_TRUE(isReadOnlyCommand(HostCommand::readCount(value).byte())) << value;
    }
}

TEST(Ws23xxProtocol, EachFaultRecoversWithinTheAttemptsOrFailsAsItShould) {
    const struct {
        const char* name;
        StationFault fault;
        int fromHostByte;
        int hostBytes;
        ReadFailure failure;
        int resets;
    } cases[] = {
        {"silent first address", StationFault::Silence, 1, 1, ReadFailure::None, 2},
        {"silent count", StationFault::Silence, 5, 1, ReadFailure::None, 2},
        {"wrong third ack", StationFault::WrongAck, 3, 1, ReadFailure::None, 2},
        {"wrong count ack", StationFault::WrongAck, 5, 1, ReadFailure::None, 2},
        {"bad checksum", StationFault::BadChecksum, 5, 1, ReadFailure::None, 2},
        {"00 before 02", StationFault::ZeroBeforeReset, 0, 1, ReadFailure::None, 1},
        {"02 02", StationFault::DoubledAnswer, 0, 1, ReadFailure::None, 1},
        {"garbage after 02", StationFault::Garbage, 0, 1, ReadFailure::None, 1},
        {"garbage after an ack", StationFault::Garbage, 2, 1, ReadFailure::None, 2},
        {"silent two minutes", StationFault::Silence, 0, 1000, ReadFailure::NoAnswer, 5},
        {"checksums always bad", StationFault::BadChecksum, 0, 1000, ReadFailure::BadAnswers, 5},
        {"line gone", StationFault::LineFailed, 3, 1, ReadFailure::PortFailed, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWs23xxStation station;
        station.putNibbles(0x373, {0, 6, 1, 5});
        station.inject({c.fault, c.fromHostByte, c.hostBytes});
        const auto read = readNibbles(station, 0x373, 4, quickOptions());
        EXPECT_EQ(read.failure, c.failure);
        EXPECT_EQ(read.value.has_value(), c.failure == ReadFailure::None);
        if (read.value) {
            EXPECT_EQ(*read.value, (Nibbles{0, 6, 1, 5}));
        }
        EXPECT_EQ(station.resets(), c.resets);
        for (const std::uint8_t byte : station.hostBytes()) {
            EXPECT_TRUE(isReadOnlyCommand(byte)) << int(byte);
        }
    }
}

TEST(Ws23xxProtocol, PausesGrowBetweenAttemptsAndTheDetailNamesThePortFault) {
    std::vector<std::chrono::milliseconds> pauses;
    FakeWs23xxStation silent;
    silent.inject({StationFault::Silence, 0, 1000});
    EXPECT_EQ(readNibbles(silent, 0x373, 4, quickOptions(&pauses)).detail,
              "la stazione non risponde");
    EXPECT_EQ(pauses, (std::vector<std::chrono::milliseconds>{
                          std::chrono::milliseconds(100), std::chrono::milliseconds(200),
                          std::chrono::milliseconds(300), std::chrono::milliseconds(400)}));
    FakeWs23xxStation gone;
    gone.inject({StationFault::LineFailed, 0, 1});
    EXPECT_EQ(readNibbles(gone, 0x373, 4, quickOptions()).detail,
              "errore della porta seriale: cavo scollegato");
}

// 33 nibbles from an odd address: two commands of at most 15 bytes, the spare nibble dropped.
TEST(Ws23xxProtocol, LongReadsSplitIntoBlocksOfThirtyNibbles) {
    FakeWs23xxStation station;
    Nibbles memory;
    for (int i = 0; i < 33; ++i) {
        memory.push_back(static_cast<std::uint8_t>(i % 16));
    }
    station.putNibbles(0x101, memory);
    const auto read = readNibbles(station, 0x101, 33, quickOptions());
    ASSERT_TRUE(read.value);
    EXPECT_EQ(*read.value, memory);
    EXPECT_EQ(station.resets(), 2);
    EXPECT_EQ(station.hostBytes()[5], 0xFE);   // 15 bytes
    EXPECT_EQ(station.hostBytes()[11], 0xCA);  // 2 bytes for 3 nibbles
}

}  // namespace
}  // namespace brezzolo::ws23xx
