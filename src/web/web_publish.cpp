#include "web/web_publish.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "common/paths.h"
#include "common/text_file.h"
#include "web/history_series.h"
#include "web/web_page.h"

namespace brezzolo {

std::optional<std::string> publishWebPage(const WebPublication& publication,
                                          const MainWindowModel& window,
                                          const StationReading& reading) {
    const std::string quoted = "\"" + publication.folder + "\"";
    try {
        std::error_code error;
        const auto path = joinPath(publication.folder, kWebPageFileName);
        if (!path || !std::filesystem::is_directory(toFsPath(publication.folder), error)) {
            return "Pagina web: la cartella " + quoted +
                   " non esiste; la pagina non viene scritta.";
        }
        const auto history = readWebHistory(publication.historyPath);
        const std::string page = webPage({window, reading, history, publication.writtenAt});
        if (!renewFileBytes(*path, page)) {
            return "Pagina web: impossibile scrivere index.html nella cartella " + quoted +
                   ": verificare i permessi e lo spazio libero.";
        }
        return std::nullopt;
    } catch (const std::exception& e) {
        return std::string("Pagina web: errore interno: ") + e.what();
    }
}

}  // namespace brezzolo
