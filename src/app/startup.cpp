#include <filesystem>

#include "app/main_window_presenter.h"
#include "app/messages.h"
#include "app/timer_rules.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "version.h"

namespace brezzolo {

MainWindowModel startupWindowModel(Colour standardText, Colour background) {
    MainWindowModel m;
    m.standardTextColour = standardText;
    m.backgroundColour = background;
    for (const NamedLabel& l : mainWindowLabels()) {
        (m.*l.label).ForeColor = standardText;
    }

    m.Label1.Caption = "Conversione dati da stazione meteorologica WS23xx a UI-View";
    m.Label2.Caption = "Lettura dati meteo in corso ...";
    m.Label3.Caption =
        std::string("Rel. ") + version::windowText + std::string(mainWindowTexts::authorCredit);
    m.Label21.Caption = "Valori esterni";
    m.Label6.Caption = "T ext:";
    m.Label7.Caption = "Hrel ext:";
    m.Label16.Caption = "Pressione:";
    m.Label10.Caption = "Vento:";
    m.Label11.Caption = "Direzione:";
    m.Label8.Caption = "Dewpoint:";
    m.Label9.Caption = "Windchill:";
    m.Label22.Caption = "Precipitazioni";
    m.Label13.Caption = "Totali:";
    m.Label14.Caption = "24H:";
    m.Label15.Caption = "1H:";
    m.Label12.Caption = "Condizioni - Previsioni - Segnalazioni";
    m.Label4.Caption = "Condizioni attuali:";
    m.Label5.Caption = "Tendenza:    in fase di aggiornamento";
    m.Label17.Caption = "Allarme temporale:";
    m.Label18.BorderStyle = 1;  // the cycle takes the border away with the first reading
    m.Label23.Caption = "Valori minimi e massimi odierni";
    m.Label30.Caption = "Messaggio Utente";
    m.Label31.Caption = "Abilita Messaggio Utente (max 20 caratteri)";
    m.Label32.Caption = "Testo";
    m.Label34.Caption = std::string(mainWindowTexts::chartAxis);
    m.Label35.Caption = "Seleziona Grafico";
    m.Label20.Caption = "Stringa APRS";
    m.Command1 = "&ESCI";

    for (ShapeModel* s : {&m.Shape1, &m.Shape2, &m.Shape3, &m.Shape4}) {
        m.makeNeutral(*s);
    }
    m.Timer1.Interval = kStartupIntervalMs;
    return m;
}

StartOutcome MainWindowPresenter::start(Colour standardText, Colour background) {
    if (started_) {
        return window_.Visible ? StartOutcome::Running : StartOutcome::FirstRun;
    }
    started_ = true;
    const std::filesystem::path workingFolder = toFsPath(configPath_).parent_path();
    instanceLock_.emplace(workingFolder.empty() ? std::string(".") : fromFsPath(workingFolder));
    if (instanceLock_->heldElsewhere()) {
        shell_.showMessage(warning(kAlreadyRunningMessage));
        return StartOutcome::CannotContinue;
    }
    // The scratch store holds its initial texts already; the About box loads hidden.
    aboutLoaded_ = true;
    window_ = startupWindowModel(standardText, background);
    // Timer1 stays off until the configuration is known.
    window_.Timer1.Enabled = false;

    switch (checkConfigAtStartup(configPath_)) {
        case StartupConfig::Missing:
            // First run: only the folder dialog; its "ESCI" writes config.brz, shows this
            // window and switches Timer1 on.
            folderDialog_.show(true);
            applyTimerRule(window_.Timer1, TimerEvent::FirstRun);
            return StartOutcome::FirstRun;
        case StartupConfig::ConversionFailed:
            shell_.showMessage(warning(kConfigNotSavedMessage));
            return StartOutcome::CannotContinue;
        case StartupConfig::Converted:
            shell_.showMessage(warning(kNewReleaseMessage));
            break;
        case StartupConfig::Current:
            break;
    }
    folderDialog_.load();  // hidden; stops Timer1 and marks the chart selector
    // A Brezzolo killed while rewriting a file leaves its temporary copy behind: the working
    // folder, the output folder and the Heavy Weather folder are Brezzolo's to tidy.
    for (const std::string& folder :
         {fromFsPath(workingFolder), folderDialog_.model().Text2, folderDialog_.model().Text1}) {
        removeLeftoverTemporaries(folder);
    }
    applyTimerRule(window_.Timer1, TimerEvent::StartupWithConfig);
    window_.Visible = true;
    updateStation();  // with the serial cable chosen, the link starts reading the station now
    return StartOutcome::Running;
}

}  // namespace brezzolo
