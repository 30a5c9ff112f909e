#pragma once

#include <array>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace brezzolo {

class IndicatorShape;
class TwelveHourChartView;

// The widgets of the main window, each carrying its element's name as its objectName.
struct MainWindowWidgets {
    std::vector<QLabel*> labels;              // Label1 .. Label37: labels[n - 1] is Label<n>
    std::array<IndicatorShape*, 4> shapes{};  // Shape1 .. Shape4
    QPlainTextEdit* Text1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    TwelveHourChartView* MSChart1 = nullptr;
    QPushButton* Command1 = nullptr;
    // The menu items.
    QAction* Cartelle = nullptr;
    QAction* Esci = nullptr;
    QAction* Stringa_APRS = nullptr;
    QAction* Pressione = nullptr;
    QAction* APRS_IS = nullptr;
    QAction* Stazione = nullptr;
    QAction* Web = nullptr;
    QAction* Radio = nullptr;
    QAction* About = nullptr;
    // The APRS-IS status line, in the window's status bar (hidden while it is empty).
    QLabel* StatusAprsIs = nullptr;
    QLabel* StatusStation = nullptr;
    QLabel* StatusRadio = nullptr;
};

// Builds the menu bar and every element of the main window into it, grouped and ordered top
// to bottom and left to right: the title and headline, the outdoor, rain and conditions
// panels, the day's extremes with their indicators, the chart with its selector beside the
// user message, the report text, and the release line with the exit button; the APRS-IS
// status line in a status bar below. The labels are left empty: the window shows its model in
// them.
MainWindowWidgets buildMainWindowWidgets(QMainWindow& window);

}  // namespace brezzolo
