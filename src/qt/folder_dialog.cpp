#include "qt/folder_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "common/text_file.h"
#include "qt/folder_lists.h"
#include "qt/warning_box.h"

namespace brezzolo {
namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A group heading: its number ("1)") and its text on one row.
void addHeading(QVBoxLayout* layout, QWidget* parent, const char* numberName, const char* number,
                const char* headingName, const char* heading) {
    auto* row = new QHBoxLayout;
    row->addWidget(named(new QLabel(QString::fromUtf8(number), parent), numberName));
    auto* text = named(new QLabel(QString::fromUtf8(heading), parent), headingName);
    text->setWordWrap(true);
    row->addWidget(text, 1);
    layout->addLayout(row);
}

template <typename List>
List* makeList(QWidget* parent, const char* name, int height) {
    auto* list = named(new List(parent), name);
    list->setMinimumHeight(height);
    return list;
}

QString fromConfig(const std::string& line) {
    return QString::fromStdString(line);
}

}  // namespace

Configurazione::Configurazione(QWidget* parent, std::string configPath)
    : QDialog(parent), configPath_(std::move(configPath)) {
    setObjectName(QStringLiteral("Configurazione"));
    setWindowTitle(QStringLiteral("Configurazione File"));
    setModal(false);

    auto* layout = new QVBoxLayout(this);

    addHeading(layout, this, "Label3", "1)", "Label1",
               "Disco e cartella di installazione del programma Heavy Weather rel. 2.0 beta");
    auto* drive1 = named(new QComboBox(this), "Drive1");
    auto* dir1 = makeList<QTreeWidget>(this, "Dir1", 120);
    text1_ = named(new QLineEdit(this), "Text1");
    layout->addWidget(drive1);
    layout->addWidget(dir1);
    layout->addWidget(text1_);

    addHeading(layout, this, "Label4", "2)", "Label2",
               "Disco e cartella dove salvare la stringa APRS my_meteo.txt");
    auto* drive2 = named(new QComboBox(this), "Drive2");
    auto* dir2 = makeList<QTreeWidget>(this, "Dir2", 120);
    text2_ = named(new QLineEdit(this), "Text2");
    layout->addWidget(drive2);
    layout->addWidget(dir2);
    layout->addWidget(text2_);

    addHeading(layout, this, "Label5", "3)", "Label6",
               "File history.dat utilizzato dal programma Heavy Weather rel. 2.0 beta");
    file1_ = makeList<QListWidget>(this, "File1", 80);
    text3_ = named(new QLineEdit(this), "Text3");
    layout->addWidget(file1_);
    layout->addWidget(text3_);

    auto* command2 = named(new QPushButton(QStringLiteral("ESCI"), this), "Command2");
    // Enter in a field must not store the configuration behind the user's back.
    command2->setAutoDefault(false);
    layout->addWidget(command2, 0, Qt::AlignHCenter);

    group1_ = std::make_unique<FolderPicker>(
        drive1, dir1, [this](const QString& folder) { heavyWeatherFolderChosen(folder); });
    group2_ = std::make_unique<FolderPicker>(
        drive2, dir2, [this](const QString& folder) { outputFolderChosen(folder); });
    connect(file1_, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { historyFileClicked(item); });
    connect(file1_, &QListWidget::itemActivated, this,
            [this](const QListWidgetItem* item) { historyFileClicked(item); });
    connect(command2, &QPushButton::clicked, this, [this] { esciClicked(); });

    resize(480, 620);
}

Configurazione::~Configurazione() = default;

void Configurazione::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    switchTimer(false);

    const QString placeholder = QString::fromLatin1(kNotDefined);
    text1_->setText(placeholder);
    text2_->setText(placeholder);
    text3_->setText(placeholder);

    const auto lines = fileExists(configPath_) ? readConfig(configPath_) : std::nullopt;
    if (!fillFromConfig(lines)) {
        // First run: the lists open at the working folder, the fields keep the placeholder.
        group1_->showFolder(QString());
        group2_->showFolder(QString());
        return;
    }
    if (const auto choice = chartChoiceFromNumericLine((*lines)[kChartChoiceLine - 1])) {
        emit chartChoiceMarked(*choice);
    }
}

bool Configurazione::isLoaded() const {
    return loaded_;
}

void Configurazione::setFirstRun(bool firstRun) {
    firstRun_ = firstRun;
}

void Configurazione::ensureLoaded() const {
    // Reading a field of the dialog before anything loaded it loads it, as the cycle's first
    // run does when the start-up has not.
    if (!loaded_) {
        const_cast<Configurazione*>(this)->load();
    }
}

std::string Configurazione::heavyWeatherFolder() const {
    ensureLoaded();
    return text1_->text().toStdString();
}

std::string Configurazione::historyFileName() const {
    ensureLoaded();
    return text3_->text().toStdString();
}

bool Configurazione::fillFromConfig(const std::optional<ConfigLines>& lines) {
    if (!lines) {
        return false;
    }
    text1_->setText(fromConfig((*lines)[kHeavyWeatherLine - 1]));
    text2_->setText(fromConfig((*lines)[kOutputFolderLine - 1]));
    text3_->setText(fromConfig((*lines)[kHistoryFileLine - 1]));
    // The lists follow the stored folders (or their nearest existing parents); the fields
    // keep the texts exactly as stored.
    group1_->showFolder(text1_->text());
    group2_->showFolder(text2_->text());
    fillFileList(file1_, text1_->text());
    return true;
}

void Configurazione::heavyWeatherFolderChosen(const QString& folder) {
    text1_->setText(folder);
    fillFileList(file1_, folder);
}

void Configurazione::outputFolderChosen(const QString& folder) {
    text2_->setText(folder);
}

void Configurazione::historyFileClicked(const QListWidgetItem* item) {
    const QString name = item->text();
    // The list always shows the folder now in Text1, which the user may have typed over.
    fillFileList(file1_, text1_->text());
    const auto matches = file1_->findItems(name, Qt::MatchExactly);
    if (!matches.isEmpty()) {
        file1_->setCurrentItem(matches.first());
    }
    text3_->setText(name);
}

void Configurazione::esciClicked() {
    switchTimer(false);
    timerStoppedByEsci_ = true;

    const QString placeholder = QString::fromLatin1(kNotDefined);
    if (text1_->text() == placeholder || text2_->text() == placeholder ||
        text3_->text() == placeholder) {
        showWarning(this, QString::fromUtf8(kFoldersNotChosenMessage));
        return;
    }

    const bool existed = fileExists(configPath_);
    auto lines = existed ? readConfig(configPath_) : ConfigLines{"1", "1", "1"};
    bool saved = false;
    if (lines) {
        (*lines)[kHeavyWeatherLine - 1] = text1_->text().toStdString();
        (*lines)[kOutputFolderLine - 1] = text2_->text().toStdString();
        (*lines)[kHistoryFileLine - 1] = text3_->text().toStdString();
        saved = writeConfig(*lines, configPath_);
    }
    if (!saved) {
        // A running program goes on with what is stored (and the folders in the fields);
        // on a first run there is nothing to run on yet, so the timer stays off.
        if (existed) {
            switchTimer(true);
        }
        showWarning(this, QString::fromUtf8(kConfigNotSavedMessage));
        return;
    }

    if (!existed) {
        emit chartChoiceMarked(1);
    }
    firstRun_ = false;
    emit showMainWindowRequested();
    hide();
    switchTimer(true);
}

void Configurazione::closeEvent(QCloseEvent* event) {
    if (!isVisible()) {
        // Already hidden: nothing is being abandoned.
    } else if (firstRun_) {
        emit firstRunAbandoned();
    } else {
        // Edits that were not stored are dropped, so the cycle goes back to the stored folders.
        if (loaded_ && fileExists(configPath_)) {
            fillFromConfig(readConfig(configPath_));
        }
        if (timerStoppedByEsci_) {
            switchTimer(true);
        }
    }
    QDialog::closeEvent(event);
}

void Configurazione::keyPressEvent(QKeyEvent* event) {
    // The dialog has no cancel button: Escape must not close it (on a first run closing ends
    // the program).
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Configurazione::switchTimer(bool enabled) {
    if (enabled) {
        timerStoppedByEsci_ = false;
    }
    emit timerEnabledRequested(enabled);
}

}  // namespace brezzolo
