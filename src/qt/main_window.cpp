#include "qt/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "qt/chart_view.h"
#include "qt/indicator_shape.h"
#include "qt/qt_colour.h"
#include "qt/about_box.h"
#include "qt/folder_dialog.h"
#include "qt/settings_dialogs.h"
#include "qt/warning_box.h"

namespace brezzolo {

namespace {

constexpr int kStartupIntervalMs = 100;

void showLabel(QLabel* label, const LabelModel& model) {
    const QString caption = QString::fromStdString(model.Caption);
    if (label->text() != caption) {
        label->setText(caption);
    }
    const QColor colour = toQColor(model.ForeColor);
    if (label->palette().color(QPalette::WindowText) != colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    const int frame = model.BorderStyle == 1 ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame;
    if (label->frameStyle() != frame) {
        label->setFrameStyle(frame);
    }
}

// The report as the model holds it, CR LF between the lines, shown with plain line breaks.
QString reportText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

void raiseWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

Brezzolo::Brezzolo(std::string configPath, QWidget* parent)
    : QMainWindow(parent), configPath_(std::move(configPath)) {
    setObjectName(QStringLiteral("Brezzolo"));
    setWindowTitle(QStringLiteral("Brezzolo"));
    widgets_ = buildMainWindowWidgets(*this);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    connectWidgets();
}

Brezzolo::~Brezzolo() = default;

bool Brezzolo::start() {
    if (folderDialog_ != nullptr) {
        return true;  // started already
    }
    // The scratch store already holds its initial texts; the About box is loaded hidden.
    aboutBox_ = new frmAbout(this);
    widgets_.Command1->setText(QStringLiteral("&ESCI"));

    // The start texts, in the window system's own text and background colours. Timer1 stays
    // off until the configuration is known.
    model_ = startupWindowModel(fromQColor(palette().color(QPalette::ButtonText)),
                                fromQColor(palette().color(QPalette::Window)));
    model_.Timer1.Enabled = false;
    showModel();

    folderDialog_ = new Configurazione(this, configPath_);
    connectFolderDialog();
    switch (checkConfigAtStartup(configPath_)) {
        case StartupConfig::Missing:
            // First run: only the folder dialog; its "ESCI" writes config.brz, shows this
            // window and switches Timer1 on.
            folderDialog_->setFirstRun(true);
            folderDialog_->load();
            model_.Timer1.Interval = kStartupIntervalMs;
            applyTimer();
            raiseWindow(folderDialog_);
            return true;
        case StartupConfig::ConversionFailed:
            warn(kConfigNotSavedMessage);
            return false;
        case StartupConfig::Converted:
            warn(kNewReleaseMessage);
            break;
        case StartupConfig::Current:
            break;
    }
    folderDialog_->load();  // hidden; switches Timer1 off and marks the chart selector
    model_.Timer1.Interval = kStartupIntervalMs;
    model_.Timer1.Enabled = true;
    applyTimer();
    show();
    return true;
}

void Brezzolo::connectWidgets() {
    connect(timer_, &QTimer::timeout, this, &Brezzolo::runCycle);
    connect(widgets_.Option1, &QRadioButton::clicked, this, [this] { chartOptionClicked(1); });
    connect(widgets_.Option2, &QRadioButton::clicked, this, [this] { chartOptionClicked(2); });
    connect(widgets_.Text2, &QLineEdit::textChanged, this, &Brezzolo::userMessageChanged);
    connect(widgets_.Check1, &QCheckBox::toggled, this,
            [this](bool checked) { model_.Check1 = checked; });
    connect(widgets_.Command1, &QPushButton::clicked, this, &Brezzolo::endProgram);
    connect(widgets_.Esci, &QAction::triggered, this, &Brezzolo::endProgram);
    connect(widgets_.Cartelle, &QAction::triggered, this, &Brezzolo::showFolderDialog);
    connect(widgets_.Stringa_APRS, &QAction::triggered, this, &Brezzolo::showReportModeDialog);
    connect(widgets_.Pressione, &QAction::triggered, this, &Brezzolo::showPressureDialog);
    connect(widgets_.About, &QAction::triggered, this, &Brezzolo::showAboutBox);
}

void Brezzolo::connectFolderDialog() {
    connect(folderDialog_, &Configurazione::timerEnabledRequested, this,
            &Brezzolo::setTimerEnabled);
    connect(folderDialog_, &Configurazione::chartChoiceMarked, this, &Brezzolo::markChartChoice);
    connect(folderDialog_, &Configurazione::showMainWindowRequested, this,
            [this] { raiseWindow(this); });
    connect(folderDialog_, &Configurazione::firstRunAbandoned, this, &Brezzolo::endProgram);
}

CycleEnvironment Brezzolo::environment() {
    return CycleEnvironment{store_, model_, *folderDialog_, configPath_};
}

void Brezzolo::runCycle() {
    if (folderDialog_ == nullptr) {
        return;
    }
    CycleEnvironment env = environment();
    runConversionCycle(env);
    showModel();
    applyTimer();
}

void Brezzolo::chartOptionClicked(int choice) {
    if (folderDialog_ == nullptr) {
        return;
    }
    CycleEnvironment env = environment();
    const bool stored = selectChart(env, choice);
    showModel();
    if (!stored) {
        warn(kConfigNotSavedMessage);
    }
}

void Brezzolo::userMessageChanged(const QString& text) {
    const std::string typed = text.toStdString();
    const std::string kept = limitUserMessage(typed);
    if (kept != typed) {
        // Typed or pasted past the limit: keep the first characters. Setting the text comes
        // back here with the shortened message, which then reaches the model.
        const int cursor = widgets_.Text2->cursorPosition();
        const QString shortened = QString::fromStdString(kept);
        widgets_.Text2->setText(shortened);
        widgets_.Text2->setCursorPosition(std::min(cursor, static_cast<int>(shortened.size())));
        return;
    }
    model_.Text2 = kept;
}

void Brezzolo::markChartChoice(int choice) {
    model_.markChart(choice);
    showChartSelector();
}

void Brezzolo::setTimerEnabled(bool enabled) {
    model_.Timer1.Enabled = enabled;
    applyTimer();
}

void Brezzolo::showFolderDialog() {
    if (folderDialog_ != nullptr) {
        raiseWindow(folderDialog_);
    }
}

void Brezzolo::showReportModeDialog() {
    if (!reportModeDialog_) {
        reportModeDialog_ = new Setup_Parametri(this, configPath_);
    }
    raiseWindow(reportModeDialog_);
}

void Brezzolo::showPressureDialog() {
    if (!pressureDialog_) {
        pressureDialog_ = new Setup_Pressione(this, configPath_);
    }
    raiseWindow(pressureDialog_);
}

void Brezzolo::showAboutBox() {
    // Its "OK" unloads the box; the next click loads a new one.
    if (!aboutBox_) {
        aboutBox_ = new frmAbout(this);
    }
    raiseWindow(aboutBox_);
}

void Brezzolo::endProgram() {
    if (ending_) {
        return;
    }
    ending_ = true;
    timer_->stop();
    QCoreApplication::exit(0);
}

void Brezzolo::closeEvent(QCloseEvent* event) {
    // The frame ends the program like "Esci": no hidden process stays behind.
    event->accept();
    endProgram();
}

void Brezzolo::showModel() {
    const auto& named = mainWindowLabels();
    for (std::size_t i = 0; i < named.size(); ++i) {
        showLabel(widgets_.labels[i], model_.*named[i].label);
    }
    const auto& shapes = mainWindowShapes();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const ShapeModel& shape = model_.*shapes[i].shape;
        widgets_.shapes[i]->setColours(shape.BorderColor, shape.FillColor);
    }
    const QString report = reportText(model_.Text1);
    if (widgets_.Text1->toPlainText() != report) {
        widgets_.Text1->setPlainText(report);
    }
    if (widgets_.Check1->isChecked() != model_.Check1) {
        widgets_.Check1->setChecked(model_.Check1);
    }
    const QString message = QString::fromStdString(model_.Text2);
    if (widgets_.Text2->text() != message) {
        widgets_.Text2->setText(message);
    }
    showChartSelector();
    widgets_.MSChart1->setValues(model_.MSChart1.values);
}

void Brezzolo::showChartSelector() {
    // Option buttons refuse to be unmarked while exclusive, and the model may mark neither.
    for (QRadioButton* option : {widgets_.Option1, widgets_.Option2}) {
        option->setAutoExclusive(false);
    }
    widgets_.Option1->setChecked(model_.Option1);
    widgets_.Option2->setChecked(model_.Option2);
    for (QRadioButton* option : {widgets_.Option1, widgets_.Option2}) {
        option->setAutoExclusive(true);
    }
}

void Brezzolo::applyTimer() {
    // Only changes touch the QTimer, so that a repeating timer keeps its rhythm.
    if (timer_->interval() != model_.Timer1.Interval) {
        timer_->setInterval(model_.Timer1.Interval);
    }
    if (!model_.Timer1.Enabled) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
}

void Brezzolo::warn(const char* message) {
    // Over this window once it is shown; at start-up, before it is, on its own.
    showWarning(isVisible() ? this : nullptr, QString::fromUtf8(message));
}

}  // namespace brezzolo
