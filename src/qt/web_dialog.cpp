#include "qt/web_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
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

WebDialog::WebDialog(QWidget* parent, WebDialogPresenter& presenter, std::function<void()> refresh)
    : QDialog(parent), presenter_(presenter), refresh_(std::move(refresh)) {
    namespace texts = webDialogTexts;
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
            [this](bool on) { forward([&](WebDialogPresenter& p) { p.enabledClicked(on); }); });

    layout->addWidget(namedLabel(this, "lblFolder", texts::lblFolder));
    auto* folderRow = new QHBoxLayout;
    folder_ = new QLineEdit(this);
    folder_->setObjectName(QStringLiteral("txtFolder"));
    connect(folder_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([&](WebDialogPresenter& p) { p.folderEdited(coreText(text)); });
    });
    QPushButton* browse = namedButton(this, "cmdBrowse", texts::cmdBrowse);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(
            this, qtText(webDialogTexts::lblFolder), folder_->text());
        if (!chosen.isEmpty()) {
            forward([&](WebDialogPresenter& p) { p.folderEdited(coreText(chosen)); });
        }
    });
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);

    status_ = namedLabel(this, "lblStatus", "");
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(status_);

    const DialogButtons buttons =
        addDialogButtons(layout, this, "cmdOpen", texts::cmdOpen, texts::cmdOK, texts::cmdCancel);
    connect(buttons.own, &QPushButton::clicked, this,
            [this] { forward([](WebDialogPresenter& p) { p.openClicked(); }); });
    connect(buttons.ok, &QPushButton::clicked, this,
            [this] { forward([](WebDialogPresenter& p) { p.okClicked(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this,
            [this] { forward([](WebDialogPresenter& p) { p.cancelClicked(); }); });
}

template <typename Handler>
void WebDialog::forward(Handler&& handler) {
    handler(presenter_);
    refresh_();
}

void WebDialog::showModel() {
    const WebDialogModel& model = presenter_.model();
    if (enabled_->isChecked() != model.chkEnabled) {
        enabled_->setChecked(model.chkEnabled);
    }
    const QString folder = qtText(model.txtFolder);
    if (folder_->text() != folder) {
        folder_->setText(folder);
    }
    status_->setText(qtText(model.lblStatus));
    showVisibility(this, model.Visible);
}

void WebDialog::reject() {
    forward([](WebDialogPresenter& p) { p.cancelClicked(); });
}

}  // namespace brezzolo
