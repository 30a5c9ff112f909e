#include "common/main_window_model.h"

#include "version.h"

namespace brezzolo {

void MainWindowModel::makeNeutral(ShapeModel& shape) const {
    shape.BorderColor = backgroundColour + 1;
    shape.FillColor = backgroundColour;
}

void MainWindowModel::markChart(int choice) {
    Option1 = choice == 1;
    Option2 = choice == 2;
}

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
        std::string("Rel. ") + version::windowText + std::string(startTexts::authorCredit);
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
    m.Label34.Caption = std::string(startTexts::chartAxis);
    m.Label35.Caption = "Seleziona Grafico";
    m.Label20.Caption = "Stringa APRS";

    for (ShapeModel* s : {&m.Shape1, &m.Shape2, &m.Shape3, &m.Shape4}) {
        m.makeNeutral(*s);
    }
    m.Timer1.Interval = 100;
    return m;
}

const std::vector<NamedLabel>& mainWindowLabels() {
    static const std::vector<NamedLabel> labels = {
        {"Label1", &MainWindowModel::Label1},   {"Label2", &MainWindowModel::Label2},
        {"Label3", &MainWindowModel::Label3},   {"Label4", &MainWindowModel::Label4},
        {"Label5", &MainWindowModel::Label5},   {"Label6", &MainWindowModel::Label6},
        {"Label7", &MainWindowModel::Label7},   {"Label8", &MainWindowModel::Label8},
        {"Label9", &MainWindowModel::Label9},   {"Label10", &MainWindowModel::Label10},
        {"Label11", &MainWindowModel::Label11}, {"Label12", &MainWindowModel::Label12},
        {"Label13", &MainWindowModel::Label13}, {"Label14", &MainWindowModel::Label14},
        {"Label15", &MainWindowModel::Label15}, {"Label16", &MainWindowModel::Label16},
        {"Label17", &MainWindowModel::Label17}, {"Label18", &MainWindowModel::Label18},
        {"Label19", &MainWindowModel::Label19}, {"Label20", &MainWindowModel::Label20},
        {"Label21", &MainWindowModel::Label21}, {"Label22", &MainWindowModel::Label22},
        {"Label23", &MainWindowModel::Label23}, {"Label24", &MainWindowModel::Label24},
        {"Label25", &MainWindowModel::Label25}, {"Label26", &MainWindowModel::Label26},
        {"Label27", &MainWindowModel::Label27}, {"Label28", &MainWindowModel::Label28},
        {"Label29", &MainWindowModel::Label29}, {"Label30", &MainWindowModel::Label30},
        {"Label31", &MainWindowModel::Label31}, {"Label32", &MainWindowModel::Label32},
        {"Label33", &MainWindowModel::Label33}, {"Label34", &MainWindowModel::Label34},
        {"Label35", &MainWindowModel::Label35}, {"Label36", &MainWindowModel::Label36},
        {"Label37", &MainWindowModel::Label37},
    };
    return labels;
}

const std::vector<NamedShape>& mainWindowShapes() {
    static const std::vector<NamedShape> shapes = {
        {"Shape1", &MainWindowModel::Shape1},
        {"Shape2", &MainWindowModel::Shape2},
        {"Shape3", &MainWindowModel::Shape3},
        {"Shape4", &MainWindowModel::Shape4},
    };
    return shapes;
}

std::string limitUserMessage(const std::string& utf8Text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8Text.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(utf8Text[i]) & 0xC0) != 0x80) {
            if (characters == kUserMessageLimit) {
                return utf8Text.substr(0, i);
            }
            ++characters;
        }
    }
    return utf8Text;
}

}  // namespace brezzolo
