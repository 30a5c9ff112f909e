#include "qt/radio_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "qt/dialog_parts.h"
#include "qt/qt_text.h"
#include "qt/window_visibility.h"

namespace brezzolo {

RadioDialog::RadioDialog(QWidget* parent, RadioDialogPresenter& presenter,
                         std::function<void()> refresh)
    : QDialog(parent), presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = radioDialogTexts;
    setObjectName(qtText(texts::name));
    setWindowTitle(qtText(texts::caption));
    setModal(false);
    setMinimumWidth(480);

    auto* layout = new QVBoxLayout(this);
    addHeading(layout, this, texts::lblHeading);
    QLabel* hint = namedLabel(this, "lblHint", texts::lblHint);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    enabled_ = new QCheckBox(qtText(texts::chkEnabled), this);
    enabled_->setObjectName(QStringLiteral("chkEnabled"));
    layout->addWidget(enabled_);
    connect(enabled_, &QCheckBox::clicked, this,
            [this](bool on) { forward([&](RadioDialogPresenter& p) { p.enabledClicked(on); }); });

    tcp_ = new QRadioButton(qtText(texts::optTcp), this);
    tcp_->setObjectName(QStringLiteral("optTcp"));
    serial_ = new QRadioButton(qtText(texts::optSerial), this);
    serial_->setObjectName(QStringLiteral("optSerial"));
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(tcp_);
    kinds->addWidget(serial_);
    kinds->addStretch();
    connect(tcp_, &QRadioButton::clicked, this,
            [this] { forward([](RadioDialogPresenter& p) { p.kindClicked(TncKind::Tcp); }); });
    connect(serial_, &QRadioButton::clicked, this,
            [this] { forward([](RadioDialogPresenter& p) { p.kindClicked(TncKind::Serial); }); });

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (const RadioFieldTexts& f : radioDialogFields()) {
        int row = static_cast<int>(fields_.size());
        if (f.field == RadioField::Address) {
            // The choice of TNC between the identity and the TNC's own fields.
            grid->addLayout(kinds, row, 0, 1, 2);
        }
        if (f.field >= RadioField::Address) {
            ++row;
        }
        QLabel* label = namedLabel(this, f.labelName, f.label);
        auto* field = new QLineEdit(this);
        field->setObjectName(qtText(f.name));
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        fields_.push_back(field);
        connect(field, &QLineEdit::textEdited, this, [this, which = f.field](const QString& text) {
            forward([&](RadioDialogPresenter& p) { p.fieldEdited(which, coreText(text)); });
        });
    }
    layout->addLayout(grid);

    testResult_ = namedLabel(this, "lblTestResult", "");
    testResult_->setWordWrap(true);
    testResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(testResult_);

    const DialogButtons buttons =
        addDialogButtons(layout, this, "cmdTest", texts::cmdTest, texts::cmdOK, texts::cmdCancel);
    test_ = buttons.own;

    connect(test_, &QPushButton::clicked, this,
            [this] { forward([](RadioDialogPresenter& p) { p.testClicked(); }); });
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { forward([](RadioDialogPresenter& p) { p.okClicked(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this,
            [this] { forward([](RadioDialogPresenter& p) { p.cancelClicked(); }); });
}

template <typename Handler>
void RadioDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

void RadioDialog::showModel() {
    const RadioDialogModel& model = presenter_.model();
    if (enabled_->isChecked() != model.chkEnabled) {
        enabled_->setChecked(model.chkEnabled);
    }
    tcp_->setChecked(model.optTcp);
    serial_->setChecked(model.optSerial);
    const auto& named = radioDialogFields();
    for (std::size_t i = 0; i < named.size(); ++i) {
        const QString text = qtText(model.*named[i].text);
        if (fields_[i]->text() != text) {
            fields_[i]->setText(text);
        }
    }
    testResult_->setText(qtText(model.lblTestResult));
    test_->setEnabled(model.cmdTestEnabled);
    showVisibility(this, model.Visible);
}

void RadioDialog::reject() {
    forward([](RadioDialogPresenter& p) { p.cancelClicked(); });
}

}  // namespace brezzolo
