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

#include "qt/folder_lists.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/window_visibility.h"

namespace brezzolo {
namespace {

namespace texts = folderDialogTexts;

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A group heading: its number ("1)") and its text on one row.
void addHeading(QVBoxLayout* layout, QWidget* parent, const char* numberName,
                std::string_view number, const char* headingName, std::string_view heading) {
    auto* row = new QHBoxLayout;
    row->addWidget(named(new QLabel(qtText(number), parent), numberName));
    auto* text = named(new QLabel(qtText(heading), parent), headingName);
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

void showText(QLineEdit* field, const std::string& text) {
    if (field->text() != qtText(text)) {
        field->setText(qtText(text));
    }
}

}  // namespace

Configurazione::Configurazione(Brezzolo* mainWindow, FolderDialogPresenter& presenter)
    : QDialog(mainWindow), main_(mainWindow), presenter_(presenter) {
    setObjectName(QStringLiteral("Configurazione"));
    setWindowTitle(qtText(texts::caption));
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    auto* hint = named(new QLabel(qtText(texts::Label7), this), "Label7");
    hint->setWordWrap(true);
    layout->addWidget(hint);

    addHeading(layout, this, "Label3", texts::Label3, "Label1", texts::Label1);
    auto* drive1 = named(new QComboBox(this), "Drive1");
    auto* dir1 = makeList<QTreeWidget>(this, "Dir1", 120);
    text1_ = named(new QLineEdit(this), "Text1");
    layout->addWidget(drive1);
    layout->addWidget(dir1);
    layout->addWidget(text1_);

    addHeading(layout, this, "Label4", texts::Label4, "Label2", texts::Label2);
    auto* drive2 = named(new QComboBox(this), "Drive2");
    auto* dir2 = makeList<QTreeWidget>(this, "Dir2", 120);
    text2_ = named(new QLineEdit(this), "Text2");
    layout->addWidget(drive2);
    layout->addWidget(dir2);
    layout->addWidget(text2_);

    addHeading(layout, this, "Label5", texts::Label5, "Label6", texts::Label6);
    file1_ = makeList<QListWidget>(this, "File1", 80);
    text3_ = named(new QLineEdit(this), "Text3");
    layout->addWidget(file1_);
    layout->addWidget(text3_);

    auto* command2 = named(new QPushButton(qtText(texts::Command2), this), "Command2");
    // Enter in a field must not store the configuration behind the user's back.
    command2->setAutoDefault(false);
    layout->addWidget(command2, 0, Qt::AlignHCenter);

    using P = FolderDialogPresenter;
    group1_ = std::make_unique<FolderPicker>(drive1, dir1, [this](const QString& folder) {
        forward([&](P& p) { p.heavyWeatherFolderChosen(coreText(folder)); });
    });
    group2_ = std::make_unique<FolderPicker>(drive2, dir2, [this](const QString& folder) {
        forward([&](P& p) { p.outputFolderChosen(coreText(folder)); });
    });
    const auto fileClicked = [this](const QListWidgetItem* item) {
        forward([&](P& p) { p.historyFileClicked(coreText(item->text())); });
    };
    connect(file1_, &QListWidget::itemClicked, this, fileClicked);
    connect(file1_, &QListWidget::itemActivated, this, fileClicked);
    const auto edits = {std::pair{text1_, FolderField::Text1},
                        std::pair{text2_, FolderField::Text2},
                        std::pair{text3_, FolderField::Text3}};
    for (const auto& [field, which] : edits) {
        connect(field, &QLineEdit::textEdited, this, [this, which](const QString& text) {
            forward([&](P& p) { p.fieldEdited(which, coreText(text)); });
        });
    }
    connect(command2, &QPushButton::clicked, this,
            [this] { forward([](P& p) { p.esciClicked(); }); });

    resize(480, 620);
}

Configurazione::~Configurazione() = default;

template <typename Handler>
void Configurazione::forward(Handler&& handler) {
    handler(presenter_);
    main_->refresh();
}

void Configurazione::showModel() {
    const FolderDialogModel& model = presenter_.model();
    showText(text1_, model.Text1);
    showText(text2_, model.Text2);
    showText(text3_, model.Text3);
    if (model.Dir1 != shownDir1_) {
        shownDir1_ = model.Dir1;
        group1_->showFolder(qtText(model.Dir1));
    }
    if (model.Dir2 != shownDir2_) {
        shownDir2_ = model.Dir2;
        group2_->showFolder(qtText(model.Dir2));
    }
    if (model.File1 != shownFiles_) {
        shownFiles_ = model.File1;
        file1_->clear();
        for (const std::string& name : model.File1) {
            file1_->addItem(qtText(name));
        }
    }
    const auto selected = file1_->findItems(qtText(model.File1Selected), Qt::MatchExactly);
    if (!model.File1Selected.empty() && !selected.isEmpty()) {
        file1_->setCurrentItem(selected.first());
    }
    showVisibility(this, model.Visible);
}

void Configurazione::closeEvent(QCloseEvent* event) {
    forward([](FolderDialogPresenter& p) { p.frameClosed(); });
    // On a first run the program is ending; otherwise the presenter has hidden the dialog.
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

}  // namespace brezzolo
