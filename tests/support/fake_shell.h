#pragma once

#include <string>
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

}  // namespace brezzolo::test
