#include "qt/program_icon.h"

// The resources live in a static library: nothing else refers to them, so they must be
// registered by name before the first use. Q_INIT_RESOURCE works only outside namespaces.
static void registerProgramResources() {
    Q_INIT_RESOURCE(brezzolo);
}

namespace brezzolo {

QIcon programIcon() {
    static const bool registered = (registerProgramResources(), true);
    static_cast<void>(registered);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/brezzolo/icons/brezzolo-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace brezzolo
