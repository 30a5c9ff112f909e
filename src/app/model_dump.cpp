#include "app/model_dump.h"

#include <charconv>

namespace brezzolo {
namespace {

std::string escapeLineEnds(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

// The shortest decimal text that reads back as the same double.
std::string shortest(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string dumpModel(const MainWindowModel& window, const Appoggio& store) {
    std::string out;
    auto line = [&out](const std::string& name, const std::string& value) {
        out += name + "=" + value + "\n";
    };
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };

    for (const NamedLabel& l : mainWindowLabels()) {
        line(std::string(l.name), (window.*l.label).Caption);
    }
    line("Label6.ForeColor", std::to_string(window.Label6.ForeColor));
    line("Label18.ForeColor", std::to_string(window.Label18.ForeColor));
    line("Label18.BorderStyle", std::to_string(window.Label18.BorderStyle));
    line("Label29.ForeColor", std::to_string(window.Label29.ForeColor));
    for (const NamedShape& s : mainWindowShapes()) {
        line(std::string(s.name) + ".BorderColor", std::to_string((window.*s.shape).BorderColor));
        line(std::string(s.name) + ".FillColor", std::to_string((window.*s.shape).FillColor));
    }
    line("Text1", escapeLineEnds(window.Text1));
    line("Check1", flag(window.Check1));
    line("Text2", window.Text2);
    line("Option1", flag(window.Option1));
    line("Option2", flag(window.Option2));
    for (std::size_t i = 0; i < window.MSChart1.values.size(); ++i) {
        line("MSChart1." + std::to_string(i + 1), shortest(window.MSChart1.values[i]));
    }
    line("Timer1.Interval", std::to_string(window.Timer1.Interval));
    line("Timer1.Enabled", flag(window.Timer1.Enabled));
    for (const std::string& name : Appoggio::names()) {
        line("Appoggio." + name, store.get(name).value_or(""));
    }
    return out;
}

}  // namespace brezzolo
