#pragma once

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string_view>

namespace brezzolo {

// The pieces the settings dialogs of the window program are built from. Each element is named
// as its presenter names it, so that the tests find it by that name.

// A widget with the name its presenter gives it.
template <typename Widget>
Widget* named(Widget* widget, std::string_view name) {
    widget->setObjectName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    return widget;
}

// A label of plain text.
QLabel* namedLabel(QWidget* parent, std::string_view name, std::string_view text);
QPushButton* namedButton(QWidget* parent, std::string_view name, std::string_view text);

// The dialog's heading in bold, "lblHeading", added to its layout.
QLabel* addHeading(QBoxLayout* layout, QWidget* parent, std::string_view text);

// The row at the dialog's foot: its own button on the left, "OK" (the default button) and
// "Annulla" on the right.
struct DialogButtons {
    QPushButton* own = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};
DialogButtons addDialogButtons(QBoxLayout* layout, QWidget* parent, std::string_view ownName,
                               std::string_view ownText, std::string_view okText,
                               std::string_view cancelText);

}  // namespace brezzolo
