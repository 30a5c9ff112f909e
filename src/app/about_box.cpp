#include "app/about_box.h"

#include "version.h"

namespace brezzolo {

AboutBoxTexts aboutBoxTexts() {
    const std::string title = version::applicationTitle;
    return {
        .caption = "Informazioni su " + title,
        .lblTitle = title,
        .lblVersion = std::string("Versione ") + version::dotted,
        .lblDescription =
            "Programma di elaborazione e conversione dati stazione meteo WS2300 verso sistemi "
            "APRS (secondo le specifiche APRS Protocol Reference - Protocol Version 1.0.1g)",
        .lblDisclaimer =
            "Avvertenza: questo programma è fornito così com'è, senza garanzie di alcun tipo. I "
            "dati, le tendenze e le previsioni che mostra e trasmette sono indicativi e non "
            "sostituiscono i bollettini meteorologici ufficiali. Software libero, distribuito "
            "secondo i termini della licenza GNU GPL versione 3 o successiva.",
        .cmdOK = "OK",
        .cmdSysInfo = "&System Info...",
    };
}

void startSystemInformation(Shell& shell, bool (*startViewer)()) {
    if (!startViewer()) {
        shell.showMessage({version::applicationTitle, kSysInfoUnavailableMessage});
    }
}

}  // namespace brezzolo
