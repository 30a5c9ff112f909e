#pragma once

#include <QMainWindow>

namespace brezzolo {

// The main window "Brezzolo" (placeholder until it is built).
class Brezzolo : public QMainWindow {
    Q_OBJECT

public:
    explicit Brezzolo(QWidget* parent = nullptr);
};

}  // namespace brezzolo
