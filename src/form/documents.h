#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tavrin {

// The eight coating and absorber curve documents, in the window's order.
enum class CurveDocument { TQS, GDK, VMS, VMT, ZR, UVC, UVA, TQ };

struct CurveDocumentInfo {
    const char* buttonName;
    const char* caption;
    const char* fileName;
};
const CurveDocumentInfo& CurveDocumentOf(CurveDocument document);

// The folder of the curve documents and data sheets, beside the program.
std::filesystem::path PdfFolder(const std::filesystem::path& programFolder);

// The data sheet of a head, "/" in its name replaced by "-", when it is there
// to be opened: an ordinary visible file or a link to one, and never for a
// name with control characters.
std::optional<std::filesystem::path> DataSheetOf(const std::filesystem::path& pdfFolder, const std::string& headName);

// The curve document when it is an ordinary visible file or a link to one.
std::optional<std::filesystem::path> CurveDocumentFile(const std::filesystem::path& pdfFolder, CurveDocument document);

}  // namespace tavrin
