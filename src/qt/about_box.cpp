#include "qt/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

#include "app/about_box.h"
#include "qt/program_icon.h"
#include "qt/qt_text.h"

namespace brezzolo {
namespace {

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

frmAbout::frmAbout(QWidget* parent, Shell& shell, std::function<void()> closed)
    : QDialog(parent), shell_(shell), closed_(std::move(closed)) {
    setObjectName(QStringLiteral("frmAbout"));
    const AboutBoxTexts texts = aboutBoxTexts();
    setWindowTitle(qtText(texts.caption));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon().pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* lblVersion = makeLabel(this, "lblVersion", qtText(texts.lblVersion));
    auto* lblTitle = makeLabel(this, "lblTitle", qtText(texts.lblTitle));
    QFont bold = lblTitle->font();
    bold.setBold(true);
    if (bold.pointSizeF() > 0) {
        bold.setPointSizeF(bold.pointSizeF() * 1.5);
    }
    lblTitle->setFont(bold);
    auto* lblDescription =
        wrapped(makeLabel(this, "lblDescription", qtText(texts.lblDescription)), 400);
    auto* lblDisclaimer =
        wrapped(makeLabel(this, "lblDisclaimer", qtText(texts.lblDisclaimer)), 380);

    auto* cmdOK = new QPushButton(qtText(texts.cmdOK), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);  // Enter; Escape closes the dialog as well
    auto* cmdSysInfo = new QPushButton(qtText(texts.cmdSysInfo), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto* column = new QVBoxLayout;
    column->addWidget(lblTitle);
    column->addWidget(lblVersion);
    column->addSpacing(8);
    column->addWidget(lblDescription);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(column, 1);

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

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::reject);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { startSystemInformation(shell_); });
}

void frmAbout::reject() {
    hide();
    closed_();
}

}  // namespace brezzolo
