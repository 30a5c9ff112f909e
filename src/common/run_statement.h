#pragma once

namespace brezzolo {

// Runs one statement of the conversion cycle. A failure ends only that statement, so the
// later statements (the other stages, files and labels) still run, and nothing is shown or
// logged. False when the statement failed.
template <typename Statement>
bool runStatement(Statement&& statement) noexcept {
    try {
        statement();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace brezzolo
