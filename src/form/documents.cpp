#include "documents.h"

#include <array>
#include <system_error>

#include "support/control_characters.h"

namespace tavrin {
namespace {

constexpr std::array<CurveDocumentInfo, 8> kCurveDocuments = {{
    {"cmdTQS", "TQS", "TQS.pdf"},
    {"cmdGDK", "GDK", "GDK.pdf"},
    {"cmdVMS", "VMS", "VMS.pdf"},
    {"cmdVMT", "VMT", "VMT.pdf"},
    {"cmdZR", "ZR", "ZR.pdf"},
    {"cmdUVC", "UV-C", "UV_C.pdf"},
    {"cmdUVA", "UV-A", "UV_A.pdf"},
    {"cmdTQ", "TQ", "TQ.pdf"},
}};

// An ordinary file that the desktop would list, or a link to one (installations
// link documents): no folder, no hidden file.
bool IsOrdinaryVisibleFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (ec || !std::filesystem::is_regular_file(status)) {
        return false;
    }
    const std::string name = file.filename().string();
    return !name.empty() && name.front() != '.';
}

}  // namespace

const CurveDocumentInfo& CurveDocumentOf(CurveDocument document) {
    return kCurveDocuments[static_cast<std::size_t>(document)];
}

std::filesystem::path PdfFolder(const std::filesystem::path& programFolder) {
    return programFolder / "pdf";
}

std::optional<std::filesystem::path> DataSheetOf(const std::filesystem::path& pdfFolder, const std::string& headName) {
    std::string name = headName;
    for (char& c : name) {
        if (c == '/') {
            c = '-';
        }
    }
    const std::filesystem::path sheet = pdfFolder / (name + ".pdf");
    if (!HasControlCharacter(name) && IsOrdinaryVisibleFile(sheet)) {
        return sheet;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> CurveDocumentFile(const std::filesystem::path& pdfFolder, CurveDocument document) {
    const std::filesystem::path file = pdfFolder / CurveDocumentOf(document).fileName;
    if (IsOrdinaryVisibleFile(file)) {
        return file;
    }
    return std::nullopt;
}

}  // namespace tavrin
