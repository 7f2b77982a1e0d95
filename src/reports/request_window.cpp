#include "request_window.h"

#include "maker_contact.h"
#include "support/file_io.h"

namespace tavrin {

std::string RequestInfoCaption(const std::string& uncoveredWavelength) {
    // Where no head covers the wavelength, a larger beam or a lower rate
    // cannot help, and the advice says why instead.
    const std::string advice =
        uncoveredWavelength.empty()
            ? "You can retry your search by  using less tight specifications, for example  considering a larger beam "
              "diameter to lower the power energy/densities or accept to make measurements at a lower rep. rate.\r\n"
            : "No head of the catalogue covers a wavelength of " + uncoveredWavelength +
                  ", so a larger beam or a lower rep. rate would not help.\r\n";
    return "Tavrin search could not find any standard detector  matching your input data. \r\n" + advice +
           "If  there  no matches are yet found ,  you\u2019ll probably need a custom head. Please send your laser "
           "data: Corvane will be pleased to support you and find a solution for your case .";
}

Message MailNotSentMessage(const std::optional<std::filesystem::path>& file) {
    const std::string where = file ? "on the clipboard and saved in " + file->string() : "on the clipboard";
    return Message{"Email not sent!\nThe request text has been put " + where + ": paste it into a message to " +
                       kSalesAddress + ".",
                   "Attenzione", MessageIcon::Exclamation, MessageButtons::Ok};
}

void RequestWindowModel::Load() {
    m_infoCaption = RequestInfoCaption(m_uncoveredWavelength);
    m_open = true;
}

void RequestWindowModel::Send(MailRoute& prefilledMessage, MailRoute& composer, MessageBoxService& messages,
                              Clipboard& clipboard) {
    const MailMessage mail = RequestMail(m_requestText);
    if (!prefilledMessage.Send(mail) && !composer.Send(mail)) {
        clipboard.SetText(m_requestText);
        messages.Show(MailNotSentMessage(KeepRequestFile()));
    }
    m_open = false;
}

std::optional<std::filesystem::path> RequestWindowModel::KeepRequestFile() const {
    for (const std::filesystem::path& folder : m_folders) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const std::filesystem::path file = folder / kRequestFileName;
        if (!ec && ReplaceFile(file, m_requestText)) {
            return file;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin
