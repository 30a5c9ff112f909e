#include "qt/aprs_is_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "qt/dialog_parts.h"
#include "qt/qt_text.h"
#include "qt/window_visibility.h"

namespace brezzolo {

AprsIsDialog::AprsIsDialog(QWidget* parent, AprsIsDialogPresenter& presenter,
                           std::function<void()> refresh)
    : QDialog(parent), presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = aprsIsDialogTexts;
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
            [this](bool on) { forward([&](AprsIsDialogPresenter& p) { p.enabledClicked(on); }); });

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (const AprsIsFieldTexts& f : aprsIsDialogFields()) {
        const int row = static_cast<int>(fields_.size());
        QLabel* label = namedLabel(this, f.labelName, f.label);
        auto* field = new QLineEdit(this);
        field->setObjectName(qtText(f.name));
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        fields_.push_back(field);
        // Only the user's edits: the text the model puts back is no new change.
        connect(field, &QLineEdit::textEdited, this, [this, which = f.field](const QString& text) {
            forward([&](AprsIsDialogPresenter& p) { p.fieldEdited(which, coreText(text)); });
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
            [this] { forward([](AprsIsDialogPresenter& p) { p.testClicked(); }); });
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { forward([](AprsIsDialogPresenter& p) { p.okClicked(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this,
            [this] { forward([](AprsIsDialogPresenter& p) { p.cancelClicked(); }); });
}

template <typename Handler>
void AprsIsDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

void AprsIsDialog::showModel() {
    const AprsIsDialogModel& model = presenter_.model();
    if (enabled_->isChecked() != model.chkEnabled) {
        enabled_->setChecked(model.chkEnabled);
    }
    const auto& named = aprsIsDialogFields();
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

void AprsIsDialog::reject() {
    forward([](AprsIsDialogPresenter& p) { p.cancelClicked(); });
}

}  // namespace brezzolo
