#include "qt/settings_dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "qt/qt_text.h"
#include "qt/window_visibility.h"

namespace brezzolo {

SettingsDialog::SettingsDialog(QWidget* parent, SettingsDialogPresenter& presenter,
                               std::function<void()> refresh)
    : QDialog(parent), presenter_(presenter), refresh_(std::move(refresh)) {
    const SettingsDialogTexts& texts = presenter_.texts();
    setObjectName(qtText(texts.name));
    setWindowTitle(qtText(texts.caption));
    setModal(false);
    setMinimumWidth(280);

    auto* layout = new QVBoxLayout(this);
    auto* label1 = new QLabel(qtText(texts.Label1), this);
    label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label1);
    for (const std::string_view text : texts.options) {
        // Radio buttons of one parent exclude each other.
        auto* option = new QRadioButton(qtText(text), this);
        options_.push_back(option);
        const std::size_t number = options_.size();
        option->setObjectName(QStringLiteral("Option%1").arg(number));
        layout->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, number] {
            presenter_.optionClicked(number);
            refresh_();
        });
    }

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(qtText(kOkButtonText), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(qtText(kCancelButtonText), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        presenter_.okClicked();
        refresh_();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        presenter_.cancelClicked();
        refresh_();
    });
}

void SettingsDialog::showModel() {
    const SettingsDialogModel& model = presenter_.model();
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (options_[i]->isChecked() != model.Options[i]) {
            options_[i]->setChecked(model.Options[i]);
        }
    }
    showVisibility(this, model.Visible);
}

void SettingsDialog::reject() {
    presenter_.cancelClicked();
    refresh_();
}

}  // namespace brezzolo
