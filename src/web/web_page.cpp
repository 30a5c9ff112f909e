#include "web/web_page.h"

#include <initializer_list>

#include "common/num_text.h"
#include "version.h"
#include "web/svg_chart.h"
#include "web/web_charts.h"

namespace brezzolo {
namespace {

constexpr const char* kStyle =
    R"(body{font-family:"DejaVu Sans",Verdana,Arial,sans-serif;margin:0;padding:12px 16px;background:#f0f0f0;color:#000}
h1{font-size:1.3em;margin:0 0 10px;white-space:pre-wrap}
h2{font-size:1em;margin:0 0 6px;color:#1f3f6f}
.panel{display:flex;flex-wrap:wrap;gap:10px}
.box{background:#fff;border:1px solid #c8c8c8;border-radius:4px;padding:8px 12px;min-width:200px;flex:1 1 220px}
.box p{margin:2px 0;white-space:pre-wrap}
.wide{flex-basis:100%}
pre{margin:0;font-size:.9em;white-space:pre-wrap;word-break:break-all}
.charts{display:flex;flex-wrap:wrap;gap:10px;margin-top:14px}
.charts h2{flex-basis:100%;margin:6px 0 0}
.chart{background:#fff;border:1px solid #c8c8c8;border-radius:4px;width:100%;max-width:720px;height:auto;font-size:12px}
.chart .title{font-weight:bold;fill:#1f3f6f}
.chart .grid{stroke:#e4e4e4}
.chart .tick{stroke:#c8c8c8;stroke-dasharray:3 3}
.chart .frame{fill:none;stroke:#808080}
.chart .value,.chart .time{fill:#404040}
.chart .empty{fill:#808080}
footer{margin-top:14px;font-size:.85em;color:#505050})";

std::string cssColour(Colour colour) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t part : {redOf(colour), greenOf(colour), blueOf(colour)}) {
        text += kDigits[part >> 4];
        text += kDigits[part & 15];
    }
    return text;
}

// A label of the window as a paragraph, in its own colour when that is not the standard one.
std::string paragraph(const MainWindowModel& window, const LabelModel& label) {
    const std::string style = label.ForeColor == window.standardTextColour
                                  ? ""
                                  : " style=\"color:" + cssColour(label.ForeColor) + "\"";
    return "<p" + style + ">" + escapedHtml(label.Caption) + "</p>\n";
}

std::string plainParagraph(const std::string& text) {
    return "<p>" + escapedHtml(text) + "</p>\n";
}

std::string box(const std::string& heading, const std::string& body, bool wide = false) {
    return std::string("<div class=\"box") + (wide ? " wide" : "") + "\">\n<h2>" +
           escapedHtml(heading) + "</h2>\n" + body + "</div>\n";
}

// The report as the window shows it, its CR LF turned into the page's line end.
std::string reportText(const std::string& text) {
    std::string lines;
    for (const char c : text) {
        if (c != '\r') {
            lines += c;
        }
    }
    return lines;
}

std::string chartSection(const char* heading, const HistorySeries& series,
                         const ChartReference& reference) {
    const WindowCharts charts = windowCharts(series, reference);
    return std::string("<h2>") + heading + "</h2>\n" + svgChart(charts.temperature) + "\n" +
           svgChart(charts.pressure) + "\n" + svgChart(charts.rain) + "\n";
}

}  // namespace

std::string webPage(const WebPageInput& input) {
    const MainWindowModel& w = input.window;
    const StationReading& r = input.reading;
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"refresh\" content=\"60\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Brezzolo - " +
        escapedHtml(w.Label2.Caption) + "</title>\n<style>\n" + kStyle +
        "\n</style>\n</head>\n<body>\n<h1>" + escapedHtml(w.Label2.Caption) + "</h1>\n" +
        "<div class=\"panel\">\n";
    page += box(w.Label21.Caption, paragraph(w, w.Label6) + paragraph(w, w.Label7) +
                                       paragraph(w, w.Label8) + paragraph(w, w.Label9));
    page +=
        box("Valori interni", plainParagraph("T int:  " + numText(r.indoorTemp) + " °C") +
                                  plainParagraph("Hrel int:  " + numText(r.indoorHumidity) + " %"));
    page += box("Vento", paragraph(w, w.Label10) + paragraph(w, w.Label11));
    page += box(w.Label22.Caption, paragraph(w, w.Label13) + paragraph(w, w.Label14) +
                                       paragraph(w, w.Label15) + paragraph(w, w.Label36));
    page += box("Pressione", paragraph(w, w.Label16) + paragraph(w, w.Label33) + "<p>" +
                                 escapedHtml(w.Label17.Caption) +
                                 "<span style=\"color:" + cssColour(w.Label18.ForeColor) + "\">" +
                                 escapedHtml(w.Label18.Caption) + "</span></p>\n");
    page += box(w.Label12.Caption, paragraph(w, w.Label4) + paragraph(w, w.Label5) +
                                       paragraph(w, w.Label19) + paragraph(w, w.Label29));
    page += box(w.Label23.Caption, paragraph(w, w.Label24) + paragraph(w, w.Label25) +
                                       paragraph(w, w.Label26) + paragraph(w, w.Label27));
    page += box(w.Label20.Caption, "<pre>" + escapedHtml(reportText(w.Text1)) + "</pre>\n", true);
    page += "</div>\n<div class=\"charts\">\n";
    if (input.history) {
        const ChartReference reference{r.pressureRel - r.pressureAbs, readingClock(r)};
        page += chartSection("Ultime 24 ore", input.history->day, reference);
        page += chartSection("Ultimi 7 giorni", input.history->week, reference);
    } else {
        page += "<p>Grafici non disponibili: file storico mancante o illeggibile.</p>\n";
    }
    page += "</div>\n<footer>Pagina scritta da " + std::string(version::applicationTitle) + " il " +
            escapedHtml(input.writtenAt) +
            "; si aggiorna da sola ogni minuto.</footer>\n</body>\n</html>\n";
    return page;
}

}  // namespace brezzolo
