// brezzolo-headless: the conversion cycle without a window. Works in the current folder like
// the window program: config.brz there names the Heavy Weather folder, the output folder and
// the history file.

#include <atomic>
#include <charconv>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "app/main_window_presenter.h"
#include "app/model_dump.h"
#include "common/paths.h"
#include "headless/arguments.h"
#include "headless/console.h"
#include "version.h"

namespace {

using namespace brezzolo;

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) {
    stopRequested = true;
}

constexpr const char* kUsage =
    "usage: brezzolo-headless [--cycles N] [--interval-ms MS] [--message TEXT] [--dump]\n"
    "\n"
    "Runs Brezzolo's conversion cycle without a window, in the current folder (config.brz).\n"
    "  --cycles N        run N cycles, then stop (default: until interrupted)\n"
    "  --interval-ms MS  pause between cycles (default: the timer's interval, 61502;\n"
    "                    0 runs the cycles back to back)\n"
    "  --message TEXT    send TEXT as the user message (at most 20 characters)\n"
    "  --dump            after the last cycle, print the window and scratch values\n"
    "  --help            show this text\n"
    "  --version         show the program's version\n";

// Long enough for a poll whose every read is retried after a silence.
constexpr std::chrono::seconds kFirstStationPollLimit{60};

struct Options {
    std::optional<long long> cycles;
    std::optional<long long> intervalMs;
    std::optional<std::string> message;
    bool dump = false;
    bool help = false;
};

std::optional<long long> parseCount(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

// Nothing when the command line is not understood.
std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--dump") {
            options.dump = true;
        } else if (arg == "--help") {
            options.help = true;
        } else if (arg == "--cycles" && hasValue) {
            options.cycles = parseCount(argv[++i]);
            if (!options.cycles) {
                return std::nullopt;
            }
        } else if (arg == "--interval-ms" && hasValue) {
            options.intervalMs = parseCount(argv[++i]);
            if (!options.intervalMs) {
                return std::nullopt;
            }
        } else if (arg == "--message" && hasValue) {
            options.message = argv[++i];
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// Waits the pause between two cycles, waking early when a stop is requested.
void pause(long long milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stopRequested && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Messages go to stderr, one line each; a first run or a fatal start ends the program.
class HeadlessShell : public Shell {
  public:
    void showMessage(const Message& message) override {
        writeConsole(ConsoleStream::Error, message.text + "\n");
    }
    void note(const std::string& line) override { writeConsole(ConsoleStream::Error, line + "\n"); }
    void endProgram() override { stopRequested = true; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        writeConsole(ConsoleStream::Output,
                     std::string("brezzolo-headless ") + version::dotted + "\n");
        return 0;
    }
    // Files and arguments in the system's code page, as the environment says.
    std::setlocale(LC_ALL, "");
    Utf8Arguments arguments(argc, argv);
    const auto options = parseOptions(arguments.argc(), arguments.argv());
    if (!options) {
        writeConsole(ConsoleStream::Error, kUsage);
        return 2;
    }
    if (options->help) {
        writeConsole(ConsoleStream::Output, kUsage);
        return 0;
    }
    HeadlessShell shell;
    MainWindowPresenter program(shell);
    switch (program.start()) {
        case StartOutcome::FirstRun:
            writeConsole(ConsoleStream::Error, std::string(kConfigFileName) + " not found in " +
                                                   fromFsPath(std::filesystem::current_path()) +
                                                   "\n");
            return 1;
        case StartOutcome::CannotContinue:
            return 1;
        case StartOutcome::Running:
            break;
    }
    if (options->message) {
        program.userMessageEnabled(true);
        program.userMessageChanged(*options->message);
    }

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    // Read over the serial cable, the first cycle waits for the station's first reading, so that
    // it reports the weather of now and not what an earlier run left.
    program.waitForStation(kFirstStationPollLimit);

    const MainWindowModel& window = program.model();
    for (long long done = 0; !stopRequested && (!options->cycles || done < *options->cycles);) {
        program.timerFired();
        ++done;
        if (!window.Text1.empty() && !options->dump) {
            std::string report = window.Text1;
            std::erase(report, '\r');
            writeConsole(ConsoleStream::Output, report + "\n");
        }
        if (options->cycles && done == *options->cycles) {
            break;
        }
        pause(options->intervalMs.value_or(window.Timer1.Interval));
    }

    // A one-shot run waits for its upload, so that a scheduler's run sends its report.
    program.finishBackgroundWork(options->cycles && !stopRequested);

    if (options->dump) {
        writeConsole(ConsoleStream::Output, dumpModel(window, program.store()) +
                                                program.uploadDumpLines() +
                                                program.stationDumpLines());
    }
    return 0;
}
