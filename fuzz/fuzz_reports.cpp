// The report and request composers on random models.
#include "model_driver.h"
#include "reports/report.h"
#include "reports/request_text.h"

namespace {

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}
bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    fuzz::FuzzInput input(data, size);
    fuzz::ModelDriver driver(input);
    while (driver.Step()) {
    }
    const MainWindowModel& model = driver.Model();
    const std::string report = ComposeReport(model.State(), model.Labels(), model.Grid());
    fuzz::Check(
        StartsWith(report, "\r\nCORVANE TAVRIN\r\n--------------------------\r\n\r\nDATA VALUE:\r\n\r\nLaser Type: "),
        "the report starts with its fixed lines");
    fuzz::Check(EndsWith(report, "\r\n"), "every report line ends with CR LF");
    std::size_t lines = 0;
    for (std::size_t i = 0; i + 1 < report.size(); ++i) {
        if (report[i] == '\r' && report[i + 1] == '\n') {
            ++lines;
        }
    }
    const std::size_t entries = 5;
    const std::size_t derived = 6;
    const std::size_t products =
        model.Grid().RowCount() > 0 ? 3 + static_cast<std::size_t>(model.Grid().RowCount()) : 0;
    fuzz::Check(lines >= 16 && lines <= 16 + entries + derived + products, "the report has its lines");
    fuzz::Check((report.find("\r\nPRODUCTS FOUND:\r\n") != std::string::npos) == (model.Grid().RowCount() > 0),
                "the product table is there exactly when a head was found");

    const std::string request = ComposeRequestText(model.State(), model.Labels());
    fuzz::Check(StartsWith(request, "1 - Laser Data :\r\n\r\n    DATA VALUE:\r\n"),
                "the request starts with its title");
    fuzz::Check(EndsWith(request, "\r\n5 - Additional Information :"), "the request ends without CR LF");
    return 0;
}
