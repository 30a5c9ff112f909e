// The simulator's console end to end over a real pseudo-terminal, as the program under test
// meets it: the printed path opened as a serial port, bytes written and read back raw.

#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "station_sim/serial_mode.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

// Sends one byte and collects the answer until `count` bytes came or the line stays quiet
// for two seconds.
std::vector<std::uint8_t> exchange(int port, std::uint8_t byte, std::size_t count) {
    EXPECT_EQ(write(port, &byte, 1), 1);
    std::vector<std::uint8_t> got;
    pollfd waiting{port, POLLIN, 0};
    while (got.size() < count && poll(&waiting, 1, 2000) == 1) {
        std::uint8_t buffer[64];
        const ssize_t n = read(port, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

std::string lineOf(std::FILE* output) {
    char line[256] = {};
    return std::fgets(line, sizeof line, output) ? line : "";
}

TEST(StationSerialPty, ServesTheSameStationAsTheFiles) {
    test::TempFolder folder, same;
    const std::string control = folder.file("faults");
    const std::string command = "\"" BREZZOLO_STATION_SIM_PATH
                                "\" --serial --seed 9 --start "
                                "\"2024-05-31 18:00\" --days 0.25 --interval 10 --fault "
                                "bad-checksum@1 --control \"" +
                                control + "\" --folder \"" + folder.file("hw") + "\"";
    std::FILE* simulator = popen(command.c_str(), "r");
    ASSERT_NE(simulator, nullptr);
    const std::string ready = lineOf(simulator);
    ASSERT_EQ(ready.rfind("serial: /dev/", 0), 0u) << ready;
    const std::string path = ready.substr(8, ready.size() - 9);

    // What the same options give in process: the memory and the Heavy Weather files.
    std::vector<HistoryRecord> history;
    const auto world =
        sim::startSerialWorld({9, {2024, 5, 31, 18, 0, 0}, 0.25, 10}, &history).value();
    ASSERT_TRUE(sim::writeCurrentData(same.path(), world.current) &&
                sim::writeHistory(same.file("history.dat"), history));
    for (const char* file : {"currdat.lst", "history.dat"}) {
        EXPECT_EQ(test::readFileBytes(folder.file("hw/") + file),
                  test::readFileBytes(same.file(file)))
            << file;
    }
    const auto& n = world.memory.nibbles;
    const auto low = static_cast<std::uint8_t>(n[0x373] | n[0x374] << 4);
    const auto high = static_cast<std::uint8_t>(n[0x375] | n[0x376] << 4);
    const auto sum = static_cast<std::uint8_t>(low + high);

    int port = open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(port, 0);
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(exchange(port, 0x06, 1), Bytes{0x02});
    for (const auto& [byte, ack] :
         {std::pair{0x82, 0x00}, {0x8E, 0x13}, {0x9E, 0x27}, {0x8E, 0x33}}) {
        EXPECT_EQ(exchange(port, static_cast<std::uint8_t>(byte), 1),
                  Bytes{static_cast<std::uint8_t>(ack)});
    }
    EXPECT_EQ(exchange(port, 0xCA, 4), (Bytes{0x32, low, high, sum}));
    // Control characters pass untouched, each one byte the console refuses, and a write: no
    // answer to any of them comes before the reset's.
    const Bytes refused{0x03, 0x0A, 0x11, 0x13, 0x42};
    ASSERT_EQ(write(port, refused.data(), refused.size()), 5);
    EXPECT_EQ(exchange(port, 0x06, 1), Bytes{0x02});
    // A program closing the port and opening it again; the second read's checksum is bad.
    close(port);
    port = open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(port, 0);
    EXPECT_EQ(exchange(port, 0x06, 1), Bytes{0x02});
    for (const std::uint8_t byte : Bytes{0x82, 0x8E, 0x9E, 0x8E}) {
        exchange(port, byte, 1);
    }
    EXPECT_EQ(exchange(port, 0xCA, 4),
              (Bytes{0x32, low, high, static_cast<std::uint8_t>(sum + 1)}));

    // Switched at run time: the port vanishes under the program holding it.
    test::writeFileBytes(control, "vanish\n");
    pollfd waiting{port, POLLIN, 0};
    ASSERT_EQ(poll(&waiting, 1, 5000), 1);
    std::uint8_t byte = 0;
    EXPECT_LE(read(port, &byte, 1), 0);
    close(port);
    EXPECT_EQ(lineOf(simulator), "served 2 reads; refused 1 write bytes and 4 other bytes\n");
    const int status = pclose(simulator);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace brezzolo
