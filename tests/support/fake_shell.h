#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/shell.h"

namespace brezzolo::test {

// Records what the presenters ask of the program around them.
class FakeShell : public Shell {
  public:
    void showMessage(const Message& message) override { messages.push_back(message); }
    void endProgram() override { ended = true; }
    void note(const std::string& line) override { notes.push_back(line); }

    std::vector<Message> messages;
    std::vector<std::string> notes;
    bool ended = false;
};

// Polls a presenter's background work, as the window's poll timer does, until a poll reports a
// change; false when none came within ten seconds.
inline bool pollUntilChanged(const std::function<bool()>& poll) {
    for (int i = 0; i < 400; ++i) {
        if (poll()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

}  // namespace brezzolo::test
