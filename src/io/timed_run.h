#pragma once

#include "io/asio.h"
#include "io/deadline.h"

namespace brezzolo {

// Runs the operation started on `context` until it has ended or the deadline has passed; then
// cancels it through `cancel` and runs the context again until its handler has run, which it
// then does with asio::error::operation_aborted (or with the result, had it just ended). Every
// stream and port of this library has a context of its own, run only by these calls.
template <class Cancel>
void runUntil(asio::io_context& context, Deadline deadline, Cancel cancel) {
    context.restart();
    context.run_until(deadline);
    if (!context.stopped()) {
        cancel();
        context.restart();
        context.run();
    }
}

}  // namespace brezzolo
