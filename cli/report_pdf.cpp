#include "report_pdf.h"

namespace tavrin::cli {
namespace {

// The file a path leads to, when it is one to be replaced whole.
std::optional<OutputTarget> FileTarget(const std::filesystem::path& path) {
    auto target = ResolveOutput(path);
    if (!target || target.Value().kind != OutputTarget::Kind::Replace) {
        return std::nullopt;
    }
    std::error_code ec;
    const auto canonical = std::filesystem::weakly_canonical(target.Value().file, ec);
    target.Value().file = ec ? std::filesystem::absolute(target.Value().file, ec).lexically_normal() : canonical;
    return target.Value();
}

}  // namespace

Result<void> RefuseStandardOutput(const std::filesystem::path& pdf) {
    if (IsStandardOutput(pdf)) {
        return Error{ErrorCode::BadUsage, "--report-pdf " + pdf.string() +
                                              " is standard output, where the listing goes: the PDF and the text "
                                              "would be mixed (name a file)"};
    }
    return {};
}

bool OneFile(const std::filesystem::path& first, const std::filesystem::path& second) {
    const auto one = FileTarget(first);
    const auto other = FileTarget(second);
    return one && other && ((one->identity && one->identity == other->identity) || one->file == other->file);
}

Result<void> WriteReportPdf(ReportPdfDrawer& drawer, const MainWindowModel& model, std::optional<std::size_t> head,
                            const std::filesystem::path& path, const WriteRules& rules) {
    const ReportDocument document =
        ComposeReportDocument(model, ReportChoice{head, TodayText(), PaperFromEnvironment()});
    const auto bytes = drawer.Draw(document);
    if (!bytes) {
        return Error{ErrorCode::FileUnwritable, "could not be drawn for " + path.string()};
    }
    return ReplaceFile(path, *bytes, rules);
}

std::optional<std::size_t> WrittenReports::WrittenBy(const std::filesystem::path& path) const {
    const auto target = FileTarget(path);
    if (!target) {
        return std::nullopt;
    }
    for (const auto& report : m_reports) {
        if ((target->identity && target->identity == report.identity) || target->file == report.file) {
            return report.row;
        }
    }
    return std::nullopt;
}

void WrittenReports::Written(const std::filesystem::path& path, std::size_t row) {
    if (const auto target = FileTarget(path)) {
        m_reports.push_back(Report{target->file, target->identity, row});
    }
}

}  // namespace tavrin::cli
