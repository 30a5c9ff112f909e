#pragma once

class QString;
class QWidget;

namespace brezzolo {

// The program's warning: a modal box titled "ATTENZIONE" with an information icon and an OK
// button. Returns when the user has closed it.
void showWarning(QWidget* parent, const QString& text);

}  // namespace brezzolo
