#include "records/export_number.h"

#include "common/num_text.h"

namespace brezzolo {

std::string ExportNumber(double value) {
    std::string text = numText(value);
    // numText always starts with the sign position: "-" or a blank.
    if (text.size() > 1 && text[1] == '.') {
        text.insert(1, 1, '0');
    }
    return text;
}

}  // namespace brezzolo
