// brezzolo-screenshots: builds a simulated Heavy Weather folder in a temporary folder, starts
// the main window on it, lets one conversion cycle run and saves pictures of the main window,
// the folder dialog and the About box (docs/main-window.png, docs/folder-dialog.png,
// docs/about-box.png). Runs on any display, offscreen included:
//     xvfb-run -a brezzolo-screenshots [--out FOLDER]

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>

#include "common/text_file.h"
#include "qt/about_box.h"
#include "qt/folder_dialog.h"
#include "qt/main_window.h"
#include "qt/program_icon.h"
#include "station_sim/station_sim.h"

namespace {

using namespace brezzolo;

// A June afternoon, one day of history before it; the same pictures at every run.
sim::GenerationOptions simulatedDay() {
    sim::GenerationOptions options;
    options.seed = 7;
    options.start = {2006, 6, 4, 14, 5, 0};
    options.days = 1;
    options.intervalMinutes = 5;
    return options;
}

// Lets the event loop run until the condition holds; false when it did not within the time.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // A few more rounds so that layouts and repaints settle.
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool save(QWidget* window, const QString& folder, const QString& name) {
    window->show();
    window->raise();
    waitFor([] { return true; });
    const QString path = QDir(folder).filePath(name);
    if (!window->grab().save(path, "PNG")) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        return false;
    }
    QTextStream(stdout) << path << "\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brezzolo"));
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false);

    QString out = QStringLiteral(BREZZOLO_DOCS_DIR);
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--out") && i + 1 < args.size()) {
            out = args[++i];
        } else {
            QTextStream(stderr) << "usage: brezzolo-screenshots [--out FOLDER]\n";
            return 2;
        }
    }
    QDir().mkpath(out);
    out = QDir(out).absolutePath();

    QTemporaryDir temp;
    if (!temp.isValid()) {
        QTextStream(stderr) << "cannot create a temporary folder\n";
        return 1;
    }
    const std::string heavyWeather = QDir(temp.path()).filePath("HeavyWeather").toStdString();
    const std::string output = QDir(temp.path()).filePath("APRS").toStdString();
    QDir(temp.path()).mkpath(QStringLiteral("APRS"));
    if (!sim::generateFolder(heavyWeather, simulatedDay())) {
        QTextStream(stderr) << "cannot write the simulated station\n";
        return 1;
    }
    // The program works in its current folder, where config.brz lives.
    QDir::setCurrent(temp.path());
    if (!rewriteTextFile(kConfigFileName, {"1", "1", "1", heavyWeather, output, "history.dat"})) {
        QTextStream(stderr) << "cannot write config.brz\n";
        return 1;
    }

    Brezzolo window;
    if (!window.start()) {
        return 1;
    }
    // A user message, as a radio amateur would send it.
    window.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
    window.centralWidget()
        ->findChild<QLineEdit*>(QStringLiteral("Text2"))
        ->setText(QStringLiteral("73 de IZ1ABC"));
    if (!waitFor([&] { return window.model().Timer1.Interval == 61502; })) {
        QTextStream(stderr) << "the first cycle did not run\n";
        return 1;
    }

    bool saved = save(&window, out, QStringLiteral("main-window.png"));

    auto* folders = window.findChild<Configurazione*>(QStringLiteral("Configurazione"));
    saved = folders != nullptr && save(folders, out, QStringLiteral("folder-dialog.png")) && saved;
    if (folders != nullptr) {
        folders->hide();
    }

    window.menuBar()->findChild<QAction*>(QStringLiteral("About"))->trigger();
    auto* about = window.findChild<frmAbout*>();
    saved = about != nullptr && save(about, out, QStringLiteral("about-box.png")) && saved;
    return saved ? 0 : 1;
}
