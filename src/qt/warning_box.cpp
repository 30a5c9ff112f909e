#include "qt/warning_box.h"

#include <QMessageBox>

#include "config/config_file.h"

namespace brezzolo {

void showWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(kWarningTitle), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace brezzolo
