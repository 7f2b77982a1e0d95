#pragma once

#include <string>

namespace tavrin {

enum class MessageIcon { None, Exclamation, Information, Critical };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;

    friend bool operator==(const Message&, const Message&) = default;
};

// How the core tells the user something and waits for the answer: a message
// box on the desktop, a line on stderr in the command-line tool.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer Show(const Message& message) = 0;
};

}  // namespace tavrin
