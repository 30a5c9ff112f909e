#include <charconv>
#include <cmath>
#include <string_view>

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
    "  --version         show the program's version\n";

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
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
        } else {
            return std::nullopt;
        }
    }
    if (options.folder.empty() && !options.help && !options.version) {
        return std::nullopt;
    }
    return options;
}

}  // namespace brezzolo::sim
