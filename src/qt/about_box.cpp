#include "qt/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/program_icon.h"
#include "app/sys_info.h"
#include "version.h"

namespace brezzolo {
namespace {

// The notice for the program's users; the address is the project's page.
constexpr const char* kDisclaimer =
    "Avvertenza: questo programma è fornito così com'è, senza garanzie di alcun tipo. I dati, "
    "le tendenze e le previsioni che mostra e trasmette sono indicativi e non sostituiscono i "
    "bollettini meteorologici ufficiali. Informazioni e aggiornamenti: "
    "https://brezzolo.example";

constexpr const char* kDescription =
    "Programma di elaborazione e conversione dati stazione meteo WS2300 verso sistemi APRS "
    "(secondo le specifiche APRS Protocol Reference - Protocol Version 1.0.1g)";

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A label of several lines at a fixed width, tall enough for all of them (nested layouts do
// not pass the height of wrapped text up to the window by themselves).
QLabel* wrapped(QLabel* label, int width) {
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->setMinimumHeight(label->heightForWidth(width));
    return label;
}

QFrame* greyLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    line->setPalette(palette);
    return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString title = QString::fromUtf8(version::applicationTitle);
    setWindowTitle(QStringLiteral("Informazioni su ") + title);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon().pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* lblVersion = makeLabel(this, "lblVersion",
                                 QStringLiteral("Versione ") + QString::fromUtf8(version::dotted));
    auto* lblTitle = makeLabel(this, "lblTitle", title);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    if (bold.pointSizeF() > 0) {
        bold.setPointSizeF(bold.pointSizeF() * 1.5);
    }
    lblTitle->setFont(bold);
    auto* lblDescription =
        wrapped(makeLabel(this, "lblDescription", QString::fromUtf8(kDescription)), 400);
    auto* lblDisclaimer =
        wrapped(makeLabel(this, "lblDisclaimer", QString::fromUtf8(kDisclaimer)), 380);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);  // Enter; Escape closes the dialog as well
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(8);
    texts->addWidget(lblDescription);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(greyLine(this));
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { startSysInfo(); });
}

void frmAbout::startSysInfo() {
    if (brezzolo::startSysInfo()) {
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(version::applicationTitle),
                    QString::fromUtf8(kSysInfoUnavailableMessage), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace brezzolo
