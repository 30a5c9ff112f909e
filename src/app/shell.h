#pragma once

#include <string>

namespace brezzolo {

// A modal message box with an OK button.
enum class MessageIcon { None, Information };

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;

    bool operator==(const Message&) const = default;
};

// What only the program around the presenters can do: a window program shows a message box
// and leaves its event loop, the headless converter writes to stderr and stops.
class Shell {
  public:
    virtual ~Shell() = default;
    // Returns when the user has closed the box.
    virtual void showMessage(const Message& message) = 0;
    // The program ends now: no question is asked and nothing is saved.
    virtual void endProgram() = 0;
    // A line worth keeping that asks nothing of the user (an upload that failed): the
    // headless converter writes it to stderr, a window shows it in its status line instead.
    virtual void note(const std::string& line) = 0;
};

}  // namespace brezzolo
