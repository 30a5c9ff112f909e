#include <charconv>
#include <cmath>
#include <string_view>

#include "station_sim/serial_station.h"
#include "station_sim/station_sim.h"

namespace brezzolo::sim {
namespace {

template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

const char* const kSimUsage =
    "usage: brezzolo-station-sim --folder DIR [--seed N] [--start \"YYYY-MM-DD HH:MM\"]\n"
    "                            [--days D] [--interval MIN] [--follow]\n"
    "       brezzolo-station-sim --serial [--folder DIR] [--seed N] [--start TIME] [--days D]\n"
    "                            [--interval MIN] [--speed X] [--baud RATE]\n"
    "                            [--fault NAME[=VALUE][@K]]... [--control FILE]\n"
    "\n"
    "Writes a Heavy Weather folder as Brezzolo reads it: currdat.lst with the latest reading\n"
    "and history.dat with a record every interval, from simulated weather.\n"
    "  --folder DIR      the folder to write (created when missing)\n"
    "  --seed N          the weather's seed (default 1): the same seed gives the same files\n"
    "  --start TIME      local time of the first record (default: now minus the days)\n"
    "  --days D          days of history (default 1; fractions allowed)\n"
    "  --interval MIN    minutes between records, 1 to 1440 (default 5)\n"
    "  --follow          go on: a new reading every minute and a record every interval,\n"
    "                    until interrupted\n"
    "  --help            show this text\n"
    "  --version         show the program's version\n"
    "\n"
    "With --serial it plays a WS23xx console on its serial cable instead: it makes a\n"
    "pseudo-terminal, prints \"serial: PATH\" when ready and answers the station's protocol on\n"
    "PATH until interrupted, from a memory filled with the same weather, rounded to what the\n"
    "console stores (the history ring holds the last 175 records). The weather goes on a\n"
    "minute at a time; with --folder the Heavy Weather files follow the same values.\n"
    "  --speed X         simulated minutes per real minute (default 1)\n"
    "  --baud RATE       answer at this line speed, 10 bits a byte (default 2400, about\n"
    "                    4.17 ms a byte); 0 answers at once\n"
    "  --fault F         a fault in force from the start (repeatable), see below\n"
    "  --control FILE    looked at ten times a second: whenever its text changes, its faults\n"
    "                    (one a line, # comments) replace those in force; an empty or\n"
    "                    missing file clears them. To repeat the same faults, change a comment.\n"
    "On leaving it prints \"served R reads; refused W write bytes and M other bytes\".\n"
    "\n"
    "Faults (--fault, or one a line in the --control file), NAME[=VALUE][@K]; each starts once\n"
    "K more reads have been answered (default at once):\n"
    "  silence[=S]          no answer at all for S seconds (default 30)\n"
    "  no-ack[=N]           no answer to the first address byte of the next N commands\n"
    "  wrong-ack[=N]        a wrong acknowledgement of the last address byte, N commands\n"
    "  bad-checksum[=N]     the next N reads end with a wrong checksum\n"
    "  corrupt[=N]          the next N reads carry a wrong first byte with a matching checksum\n"
    "  garbage[=N]          junk bytes before the first answer of the next N commands\n"
    "  reset-noise[=N]      the next N resets are answered 00 02 02\n"
    "  lost-sensor          the console has lost its outdoor sensors (link 3, +69.9 C, 110 %,\n"
    "                       51.1 m/s) while the fault is set\n"
    "  wind-spike[=0FF|1FF] the wind speed reads 25.5 or 51.1 m/s while the fault is set\n"
    "  vanish[=S]           the port closes; a new one appears after S seconds and its path\n"
    "                       is printed again (default: the simulator ends)\n";

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
    bool serialOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--follow") {
            options.follow = true;
            continue;
        }
        if (arg == "--serial") {
            options.serial = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--folder" && !value.empty()) {
            options.folder = value;
        } else if (arg == "--seed") {
            const auto seed = parseNumber<std::uint64_t>(value);
            if (!seed) {
                return std::nullopt;
            }
            options.seed = *seed;
        } else if (arg == "--start") {
            options.start = parseCivilTime(value);
            if (!options.start) {
                return std::nullopt;
            }
        } else if (arg == "--days") {
            const auto days = parseNumber<double>(value);
            if (!days || !std::isfinite(*days) || *days < 0 || *days > 36525) {
                return std::nullopt;
            }
            options.days = *days;
        } else if (arg == "--interval") {
            const auto minutes = parseNumber<int>(value);
            if (!minutes || *minutes < 1 || *minutes > 1440) {
                return std::nullopt;
            }
            options.intervalMinutes = *minutes;
        } else if (arg == "--fault" && parseFault(value)) {
            options.faults.push_back(value);
            serialOnly = true;
        } else if (arg == "--control" && !value.empty()) {
            options.control = value;
            serialOnly = true;
        } else if (arg == "--speed") {
            const auto speed = parseNumber<double>(value);
            if (!speed || !std::isfinite(*speed) || *speed < 0.01 || *speed > 100000) {
                return std::nullopt;
            }
            options.speed = *speed;
            serialOnly = true;
        } else if (arg == "--baud") {
            const auto baud = parseNumber<int>(value);
            if (!baud || *baud < 0 || *baud > 1000000) {
                return std::nullopt;
            }
            options.baud = *baud;
            serialOnly = true;
        } else {
            return std::nullopt;
        }
    }
    if ((serialOnly && !options.serial) || (options.serial && options.follow) ||
        (options.folder.empty() && !options.serial && !options.help && !options.version)) {
        return std::nullopt;
    }
    return options;
}

}  // namespace brezzolo::sim
