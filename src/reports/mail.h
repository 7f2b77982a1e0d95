#pragma once

#include <string>
#include <vector>

namespace tavrin {

struct MailMessage {
    std::string to;
    std::string subject;
    std::string body;

    friend bool operator==(const MailMessage&, const MailMessage&) = default;
};

// One way of handing a message to the user's mail program, which shows it
// for the user to send. False when this route could not do it.
class MailRoute {
public:
    virtual ~MailRoute() = default;
    virtual bool Send(const MailMessage& message) = 0;
};

// The request to the maker's sales address with the given body.
MailMessage RequestMail(const std::string& body);

// A mailto: address that carries subject and body unchanged: every byte
// outside the unreserved characters is percent-encoded (UTF-8, CR LF as %0D%0A).
std::string MailtoUrl(const MailMessage& message);

// The arguments for the desktop's mail composer (xdg-email), passed as a
// list so that no shell ever reads the text.
std::vector<std::string> ComposerArguments(const MailMessage& message);

}  // namespace tavrin
