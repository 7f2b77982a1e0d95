#include "mail.h"

#include "maker_contact.h"

namespace tavrin {
namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string PercentEncode(const std::string& text) {
    static constexpr const char* kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (Unreserved(c)) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        }
    }
    return out;
}

}  // namespace

MailMessage RequestMail(const std::string& body) {
    return MailMessage{kSalesAddress, kRequestSubject, body};
}

std::string MailtoUrl(const MailMessage& message) {
    return "mailto:" + message.to + "?subject=" + PercentEncode(message.subject) +
           "&body=" + PercentEncode(message.body);
}

std::vector<std::string> ComposerArguments(const MailMessage& message) {
    return {"--subject", message.subject, "--body", message.body, message.to};
}

}  // namespace tavrin
