#include "common/main_window_model.h"

namespace brezzolo {

void MainWindowModel::makeNeutral(ShapeModel& shape) const {
    shape.BorderColor = backgroundColour + 1;
    shape.FillColor = backgroundColour;
}

void MainWindowModel::markChart(ChartChoice choice) {
    Option1 = choice == ChartChoice::Pressure;
    Option2 = choice == ChartChoice::OutdoorTemperature;
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

}  // namespace brezzolo
