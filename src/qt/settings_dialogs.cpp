#include "qt/settings_dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "qt/warning_box.h"

namespace brezzolo {

OptionLineDialog::OptionLineDialog(QWidget* parent, std::string configPath, int configLine,
                                   const char* caption, const char* heading,
                                   std::initializer_list<const char*> optionTexts)
    : QDialog(parent), configPath_(std::move(configPath)), configLine_(configLine) {
    setWindowTitle(QString::fromUtf8(caption));
    setModal(false);
    setMinimumWidth(280);

    auto* layout = new QVBoxLayout(this);
    auto* label1 = new QLabel(QString::fromUtf8(heading), this);
    label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label1);
    for (const char* text : optionTexts) {
        // Radio buttons of one parent exclude each other.
        auto* option = new QRadioButton(QString::fromUtf8(text), this);
        options_.push_back(option);
        option->setObjectName(QStringLiteral("Option%1").arg(options_.size()));
        layout->addWidget(option);
    }

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { okClicked(); });
    // Nothing stored; the selection stays as the user left it for the next showing.
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);

    markStoredValue();
}

void OptionLineDialog::markStoredValue() {
    const auto lines = readConfig(configPath_);
    const std::string stored = lines ? (*lines)[static_cast<std::size_t>(configLine_ - 1)] : "";
    std::size_t marked = 0;  // an invalid value shows and is stored as "1"
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (stored == std::to_string(i + 1)) {
            marked = i;
        }
    }
    options_[marked]->setChecked(true);
    if (stored != std::to_string(marked + 1) && !replaceConfigLine(configLine_, "1", configPath_)) {
        showWarning(parentWidget(), QString::fromUtf8(kConfigNotSavedMessage));
    }
}

std::string OptionLineDialog::chosenValue() const {
    std::string value = "1";
    int checked = 0;
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (options_[i]->isChecked()) {
            value = std::to_string(i + 1);
            ++checked;
        }
    }
    return checked == 1 ? value : "1";
}

void OptionLineDialog::okClicked() {
    if (!replaceConfigLine(configLine_, chosenValue(), configPath_)) {
        // Stays open with the choice, so the user can try again or cancel.
        showWarning(this, QString::fromUtf8(kConfigNotSavedMessage));
        return;
    }
    hide();
}

Setup_Parametri::Setup_Parametri(QWidget* parent, std::string configPath)
    : OptionLineDialog(
          parent, std::move(configPath), kReportModeLine, "Setup Parametri",
          "Configurazione stringa APRS",
          {"Invia previsione meteo", "Invia situazione locale", "Non inviare condizioni meteo"}) {
    setObjectName(QStringLiteral("Setup_Parametri"));
}

Setup_Pressione::Setup_Pressione(QWidget* parent, std::string configPath)
    : OptionLineDialog(parent, std::move(configPath), kPressureTypeLine, "Setup Pressione",
                       "Selezione Tipo Pressione", {"Pressione Assoluta", "Pressione Relativa"}) {
    setObjectName(QStringLiteral("Setup_Pressione"));
}

}  // namespace brezzolo
