#include "qt/dialog_parts.h"

#include <QHBoxLayout>

#include "qt/qt_text.h"

namespace brezzolo {

QLabel* namedLabel(QWidget* parent, std::string_view name, std::string_view text) {
    auto* label = new QLabel(qtText(text), parent);
    label->setObjectName(qtText(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* namedButton(QWidget* parent, std::string_view name, std::string_view text) {
    auto* button = new QPushButton(qtText(text), parent);
    button->setObjectName(qtText(name));
    return button;
}

QLabel* addHeading(QBoxLayout* layout, QWidget* parent, std::string_view text) {
    QLabel* heading = namedLabel(parent, "lblHeading", text);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    return heading;
}

DialogButtons addDialogButtons(QBoxLayout* layout, QWidget* parent, std::string_view ownName,
                               std::string_view ownText, std::string_view okText,
                               std::string_view cancelText) {
    DialogButtons buttons{namedButton(parent, ownName, ownText),
                          namedButton(parent, "cmdOK", okText),
                          namedButton(parent, "cmdCancel", cancelText)};
    buttons.ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(buttons.own);
    row->addStretch();
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout->addLayout(row);
    return buttons;
}

}  // namespace brezzolo
