#include "qt/station_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>
#include <utility>

#include "qt/dialog_parts.h"
#include "qt/qt_text.h"
#include "qt/window_visibility.h"

namespace brezzolo {

StationDialog::StationDialog(QWidget* parent, StationDialogPresenter& presenter,
                             std::function<void()> refresh)
    : QDialog(parent), presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = stationDialogTexts;
    setObjectName(qtText(texts::name));
    setWindowTitle(qtText(texts::caption));
    setModal(false);
    setMinimumWidth(420);

    auto* layout = new QVBoxLayout(this);
    addHeading(layout, this, texts::lblHeading);

    files_ = named(new QRadioButton(qtText(texts::optFiles), this), "optFiles");
    serial_ = named(new QRadioButton(qtText(texts::optSerial), this), "optSerial");
    layout->addWidget(files_);
    layout->addWidget(serial_);
    connect(files_, &QRadioButton::clicked, this, [this] {
        forward([](StationDialogPresenter& p) { p.sourceChosen(StationSource::Files); });
    });
    connect(serial_, &QRadioButton::clicked, this, [this] {
        forward([](StationDialogPresenter& p) { p.sourceChosen(StationSource::Serial); });
    });

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    port_ = named(new QComboBox(this), "cboPort");
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    poll_ = named(new QLineEdit(this), "txtPoll");
    QLabel* portLabel = namedLabel(this, "lblPort", texts::lblPort);
    QLabel* pollLabel = namedLabel(this, "lblPoll", texts::lblPoll);
    portLabel->setBuddy(port_);
    pollLabel->setBuddy(poll_);
    grid->addWidget(portLabel, 0, 0);
    grid->addWidget(port_, 0, 1);
    grid->addWidget(pollLabel, 1, 0);
    grid->addWidget(poll_, 1, 1);
    layout->addLayout(grid);
    // Only the user's edits and choices: the text the model puts back is no new change.
    connect(port_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([&](StationDialogPresenter& p) { p.portEdited(coreText(text)); });
    });
    connect(port_, &QComboBox::activated, this, [this](int index) {
        const std::string text = coreText(port_->itemText(index));
        forward([&](StationDialogPresenter& p) { p.portEdited(text); });
    });
    connect(poll_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([&](StationDialogPresenter& p) { p.pollEdited(coreText(text)); });
    });

    readResult_ = namedLabel(this, "lblReadResult", "");
    readResult_->setWordWrap(true);
    readResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(readResult_);

    const DialogButtons buttons =
        addDialogButtons(layout, this, "cmdRead", texts::cmdRead, texts::cmdOK, texts::cmdCancel);
    read_ = buttons.own;
    connect(read_, &QPushButton::clicked, this,
            [this] { forward([](StationDialogPresenter& p) { p.readClicked(); }); });
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { forward([](StationDialogPresenter& p) { p.okClicked(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this,
            [this] { forward([](StationDialogPresenter& p) { p.cancelClicked(); }); });
}

template <typename Handler>
void StationDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

void StationDialog::showModel() {
    const StationDialogModel& model = presenter_.model();
    files_->setChecked(!model.optSerial);
    serial_->setChecked(model.optSerial);
    QStringList ports;
    for (const std::string& port : model.cboPortList) {
        ports.append(qtText(port));
    }
    QStringList shown;
    for (int i = 0; i < port_->count(); ++i) {
        shown.append(port_->itemText(i));
    }
    const QString port = qtText(model.cboPort);
    if (shown != ports) {
        port_->clear();
        port_->addItems(ports);
        port_->setEditText(port);
    }
    if (port_->currentText() != port) {
        port_->setEditText(port);
    }
    const QString poll = qtText(model.txtPoll);
    if (poll_->text() != poll) {
        poll_->setText(poll);
    }
    readResult_->setText(qtText(model.lblReadResult));
    read_->setEnabled(model.cmdReadEnabled);
    showVisibility(this, model.Visible);
}

void StationDialog::reject() {
    forward([](StationDialogPresenter& p) { p.cancelClicked(); });
}

}  // namespace brezzolo
