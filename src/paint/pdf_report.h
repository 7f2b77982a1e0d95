#pragma once

#include <optional>
#include <string>

#include "form/report_document.h"

namespace tavrin::paint {

// The report as the bytes of a PDF file, on the document's paper in
// portrait: the laser, what was derived from it and the suitable heads (or
// the request for a custom head) first, then the chosen head on a page of its
// own with its limits as bars and its chart drawn as lines. Text stays text,
// in DejaVu Sans embedded in the file. Nothing when it cannot be drawn.
// Needs a QGuiApplication.
std::optional<std::string> RenderReportPdf(const ReportDocument& document);

}  // namespace tavrin::paint
