#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "form/desktop_services.h"

class QPagedPaintDevice;

namespace tavrin::ui {

// The printer dialog, then the report in a fixed-pitch font.
class QtReportPrinter final : public ReportPrinter {
public:
    explicit QtReportPrinter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    void PrintReport(const std::string& report) override;

private:
    QPointer<QWidget> m_parent;
};

// Lays the report out on a printer or PDF writer, one fixed-pitch line per line.
void PrintReportOn(QPagedPaintDevice& device, const std::string& report);

}  // namespace tavrin::ui
