#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "mail.h"
#include "support/message_box.h"

namespace tavrin {

// The window that offers to send a request for a custom head. The core hands
// it the text and shows it modally; the call returns once it has closed.
class RequestWindow {
public:
    virtual ~RequestWindow() = default;
    virtual void Testo(const std::string& text) = 0;
    // The wavelength no head of the catalogue covers ("10600 nm"), which the
    // window names instead of advising a larger beam; empty when some head does.
    virtual void UncoveredWavelength(const std::string& wavelength) = 0;
    virtual void ShowModal() = 0;
};

// Where the request text goes when no mail route took it, for the user to paste.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void SetText(const std::string& text) = 0;
};

// The request window's behaviour, whatever shows it.
class RequestWindowModel {
public:
    void Testo(std::string text) { m_requestText = std::move(text); }
    void UncoveredWavelength(std::string wavelength) { m_uncoveredWavelength = std::move(wavelength); }
    // Where the request is also kept as a file when no mail route took it
    // (the clipboard empties when the program ends): the first of these
    // folders that can be written, as for Print.txt.
    void KeepRequestsIn(std::vector<std::filesystem::path> folders) { m_folders = std::move(folders); }
    // Sets the explanation the window shows and opens it.
    void Load();
    // Tries the pre-filled message first, then the mail composer; when neither
    // worked, puts the request on the clipboard and in a file and tells the
    // user. Closes the window in every case.
    void Send(MailRoute& prefilledMessage, MailRoute& composer, MessageBoxService& messages, Clipboard& clipboard);
    void Cancel() { m_open = false; }

    [[nodiscard]] const std::string& RequestText() const { return m_requestText; }
    [[nodiscard]] const std::string& InfoCaption() const { return m_infoCaption; }
    [[nodiscard]] bool IsOpen() const { return m_open; }

private:
    std::optional<std::filesystem::path> KeepRequestFile() const;

    std::string m_requestText;
    std::string m_uncoveredWavelength;
    std::vector<std::filesystem::path> m_folders;
    std::string m_infoCaption;
    bool m_open = false;
};

// The caption of the window's explanation label; with a wavelength no head
// covers, its advice names that wavelength.
std::string RequestInfoCaption(const std::string& uncoveredWavelength = "");

inline constexpr const char* kRequestFileName = "Request.txt";

// The message shown when no mail route worked: "Email not sent!", then where
// the request text is (the clipboard, and the file when one was written) and
// where to send it.
Message MailNotSentMessage(const std::optional<std::filesystem::path>& file = std::nullopt);

}  // namespace tavrin
