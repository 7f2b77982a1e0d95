#pragma once

#include "main_window_model.h"

namespace tavrin {

// Services for a window that nobody sees (the command line, measuring,
// fuzzing): messages are answered OK and dropped, nothing is opened, shown or
// printed.
class QuietServices final : public MessageBoxService,
                            public DocumentOpener,
                            public RequestWindow,
                            public ReportPrinter {
public:
    MessageAnswer Show(const Message& message) override;
    bool OpenDocument(const std::string& target) override;
    void Testo(const std::string& text) override;
    void UncoveredWavelength(const std::string& wavelength) override;
    void ShowModal() override;
    void PrintReport(const std::string& report) override;
};

}  // namespace tavrin
