#include "qt/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "qt/about_box.h"
#include "qt/aprs_is_dialog.h"
#include "qt/chart_view.h"
#include "qt/folder_dialog.h"
#include "qt/indicator_shape.h"
#include "qt/qt_colour.h"
#include "qt/qt_text.h"
#include "qt/radio_dialog.h"
#include "qt/settings_dialogs.h"
#include "qt/station_dialog.h"
#include "qt/web_dialog.h"
#include "qt/window_visibility.h"

namespace brezzolo {

namespace {

// How often a finished upload or connection test is looked for while one is under way.
constexpr int kBackgroundPollMs = 500;

void showLabel(QLabel* label, const LabelModel& model) {
    const QString caption = qtText(model.Caption);
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
    QString shown = qtText(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

}  // namespace

Brezzolo::Brezzolo(std::string configPath, QWidget* parent)
    : QMainWindow(parent), presenter_(*this, std::move(configPath)) {
    setObjectName(QStringLiteral("Brezzolo"));
    setWindowTitle(qtText(mainWindowTexts::caption));
    widgets_ = buildMainWindowWidgets(*this);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    backgroundPoll_ = new QTimer(this);
    backgroundPoll_->setObjectName(QStringLiteral("BackgroundPoll"));
    backgroundPoll_->setInterval(kBackgroundPollMs);
    folderDialog_ = new Configurazione(this, presenter_.folderDialog());
    connectWidgets();
}

Brezzolo::~Brezzolo() = default;

bool Brezzolo::start() {
    const auto outcome = presenter_.start(fromQColor(palette().color(QPalette::ButtonText)),
                                          fromQColor(palette().color(QPalette::Window)));
    refresh();
    return outcome != StartOutcome::CannotContinue;
}

template <typename Handler>
void Brezzolo::forward(Handler&& handler) {
    handler(presenter_);
    refresh();
}

void Brezzolo::connectWidgets() {
    using P = MainWindowPresenter;
    connect(timer_, &QTimer::timeout, this, [this] { forward([](P& p) { p.timerFired(); }); });
    connect(backgroundPoll_, &QTimer::timeout, this, [this] { pollBackground(); });
    connect(widgets_.Option1, &QRadioButton::clicked, this,
            [this] { forward([](P& p) { p.chartOptionClicked(ChartChoice::Pressure); }); });
    connect(widgets_.Option2, &QRadioButton::clicked, this, [this] {
        forward([](P& p) { p.chartOptionClicked(ChartChoice::OutdoorTemperature); });
    });
    // Only the user's edits: the text the model puts back is no new change.
    connect(widgets_.Text2, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([&](P& p) { p.userMessageChanged(coreText(text)); });
    });
    connect(widgets_.Check1, &QCheckBox::clicked, this,
            [this](bool checked) { forward([&](P& p) { p.userMessageEnabled(checked); }); });
    const auto exit = [this] { forward([](P& p) { p.exitClicked(); }); };
    connect(widgets_.Command1, &QPushButton::clicked, this, exit);
    connect(widgets_.Esci, &QAction::triggered, this, exit);
    connect(widgets_.Cartelle, &QAction::triggered, this,
            [this] { forward([](P& p) { p.folderMenuClicked(); }); });
    connect(widgets_.Stringa_APRS, &QAction::triggered, this,
            [this] { forward([](P& p) { p.reportModeMenuClicked(); }); });
    connect(widgets_.Pressione, &QAction::triggered, this,
            [this] { forward([](P& p) { p.pressureMenuClicked(); }); });
    connect(widgets_.APRS_IS, &QAction::triggered, this,
            [this] { forward([](P& p) { p.aprsIsMenuClicked(); }); });
    connect(widgets_.Stazione, &QAction::triggered, this,
            [this] { forward([](P& p) { p.stationMenuClicked(); }); });
    connect(widgets_.Web, &QAction::triggered, this,
            [this] { forward([](P& p) { p.webMenuClicked(); }); });
    connect(widgets_.Radio, &QAction::triggered, this,
            [this] { forward([](P& p) { p.radioMenuClicked(); }); });
    connect(widgets_.About, &QAction::triggered, this,
            [this] { forward([](P& p) { p.aboutMenuClicked(); }); });
}

void Brezzolo::refresh() {
    if (ending_) {
        return;
    }
    showModel();
    showDialogs();
    applyTimer();
}

void Brezzolo::showModel() {
    const MainWindowModel& model = presenter_.model();
    const auto& named = mainWindowLabels();
    for (std::size_t i = 0; i < named.size(); ++i) {
        showLabel(widgets_.labels[i], model.*named[i].label);
    }
    const auto& shapes = mainWindowShapes();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const ShapeModel& shape = model.*shapes[i].shape;
        widgets_.shapes[i]->setColours(shape.BorderColor, shape.FillColor);
    }
    const QString report = reportText(model.Text1);
    if (widgets_.Text1->toPlainText() != report) {
        widgets_.Text1->setPlainText(report);
    }
    if (widgets_.Check1->isChecked() != model.Check1) {
        widgets_.Check1->setChecked(model.Check1);
    }
    const QString message = qtText(model.Text2);
    if (widgets_.Text2->text() != message) {
        const int cursor = widgets_.Text2->cursorPosition();
        widgets_.Text2->setText(message);
        widgets_.Text2->setCursorPosition(std::min(cursor, static_cast<int>(message.size())));
    }
    widgets_.Command1->setText(qtText(model.Command1));
    showChartSelector();
    widgets_.MSChart1->setValues(model.MSChart1);
    bool anyStatus = false;
    for (auto [label, line] : {std::pair{widgets_.StatusStation, &model.StatusStation},
                               std::pair{widgets_.StatusAprsIs, &model.StatusAprsIs},
                               std::pair{widgets_.StatusRadio, &model.StatusRadio}}) {
        const QString status = qtText(*line);
        if (label->text() != status) {
            label->setText(status);
        }
        if (label->isHidden() != status.isEmpty()) {
            label->setHidden(status.isEmpty());
        }
        anyStatus = anyStatus || !status.isEmpty();
    }
    if (statusBar()->isHidden() == anyStatus) {
        statusBar()->setHidden(!anyStatus);
    }
    if (model.Visible && !isVisible()) {
        raiseWindow(this);
    }
}

void Brezzolo::showChartSelector() {
    // Option buttons refuse to be unmarked while exclusive, and the model may mark neither.
    for (QRadioButton* option : {widgets_.Option1, widgets_.Option2}) {
        option->setAutoExclusive(false);
    }
    widgets_.Option1->setChecked(presenter_.model().Option1);
    widgets_.Option2->setChecked(presenter_.model().Option2);
    for (QRadioButton* option : {widgets_.Option1, widgets_.Option2}) {
        option->setAutoExclusive(true);
    }
}

void Brezzolo::showDialogs() {
    folderDialog_->showModel();

    // The settings dialogs load at their first showing and then stay, hidden between uses.
    const auto showSettings = [this](QPointer<SettingsDialog>& dialog,
                                     SettingsDialogPresenter& settings) {
        if (!dialog && settings.loaded()) {
            dialog = new SettingsDialog(this, settings, [this] { refresh(); });
        }
        if (dialog) {
            dialog->showModel();
        }
    };
    showSettings(reportModeDialog_, presenter_.reportModeDialog());
    showSettings(pressureDialog_, presenter_.pressureDialog());
    if (!aprsIsDialog_ && presenter_.aprsIsDialog().model().Visible) {
        aprsIsDialog_ = new AprsIsDialog(this, presenter_.aprsIsDialog(), [this] { refresh(); });
    }
    if (aprsIsDialog_) {
        aprsIsDialog_->showModel();
    }
    if (!stationDialog_ && presenter_.stationDialog().model().Visible) {
        stationDialog_ = new StationDialog(this, presenter_.stationDialog(), [this] { refresh(); });
    }
    if (stationDialog_) {
        stationDialog_->showModel();
    }
    if (!webDialog_ && presenter_.webDialog().model().Visible) {
        webDialog_ = new WebDialog(this, presenter_.webDialog(), [this] { refresh(); });
    }
    if (webDialog_) {
        webDialog_->showModel();
    }
    if (!radioDialog_ && presenter_.radioDialog().model().Visible) {
        radioDialog_ = new RadioDialog(this, presenter_.radioDialog(), [this] { refresh(); });
    }
    if (radioDialog_) {
        radioDialog_->showModel();
    }

    // The About box: loaded hidden by the start-up, unloaded by its "OK".
    if (presenter_.aboutBoxLoaded() && !aboutBox_) {
        aboutBox_ = new frmAbout(
            this, *this, [this] { forward([](MainWindowPresenter& p) { p.aboutBoxClosed(); }); });
    }
    if (!presenter_.aboutBoxLoaded() && aboutBox_) {
        aboutBox_->deleteLater();
        aboutBox_ = nullptr;
    } else if (aboutBox_ && presenter_.aboutBoxVisible() && !aboutBox_->isVisible()) {
        raiseWindow(aboutBox_);
    }
}

void Brezzolo::applyTimer() {
    // Only changes touch the QTimer, so that a repeating timer keeps its rhythm.
    const TimerModel& timer = presenter_.model().Timer1;
    if (timer_->interval() != timer.Interval) {
        timer_->setInterval(timer.Interval);
    }
    if (!timer.Enabled) {
        timer_->stop();
    } else if (!timer_->isActive()) {
        timer_->start();
    }
    // The worker threads never touch the window: their results are fetched here, on its
    // thread, and only while there is something to fetch.
    if (!presenter_.backgroundWorkUnderWay()) {
        backgroundPoll_->stop();
    } else if (!backgroundPoll_->isActive()) {
        backgroundPoll_->start();
    }
}

void Brezzolo::pollBackground() {
    const bool changed = presenter_.pollBackground();
    if (changed || !presenter_.backgroundWorkUnderWay()) {
        refresh();
    }
}

void Brezzolo::showMessage(const Message& message) {
    // Over the window the user is looking at; at start-up, before any is shown, on its own.
    QWidget* parent = QApplication::activeWindow();
    if (parent == nullptr && isVisible()) {
        parent = this;
    }
    const auto icon =
        message.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon;
    QMessageBox box(icon, qtText(message.title), qtText(message.text), QMessageBox::Ok, parent);
    box.exec();
}

void Brezzolo::note(const std::string& /*line*/) {
    // The window shows the upload's state in its status line.
}

void Brezzolo::endProgram() {
    if (ending_) {
        return;
    }
    ending_ = true;
    timer_->stop();
    backgroundPoll_->stop();
    // Every window goes at once; the process stays only for the work still under way.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

void Brezzolo::finishBackgroundWork() {
    presenter_.finishBackgroundWork(true);
}

void Brezzolo::closeEvent(QCloseEvent* event) {
    // The frame ends the program like "Esci": no hidden process stays behind.
    event->accept();
    presenter_.exitClicked();
}

}  // namespace brezzolo
