#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "form/main_window_model.h"

namespace tavrin::test {

// Records every message box and answers with a preset answer.
class RecordingMessages final : public MessageBoxService {
public:
    MessageAnswer Show(const Message& message) override {
        shown.push_back(message);
        return answer;
    }

    std::vector<Message> shown;
    MessageAnswer answer = MessageAnswer::Ok;
};

class RecordingOpener final : public DocumentOpener {
public:
    bool OpenDocument(const std::string& target) override {
        opened.push_back(target);
        return works;
    }

    std::vector<std::string> opened;
    bool works = true;  // false: the desktop has no program for it
};

class RecordingRequestWindow final : public RequestWindow {
public:
    void Testo(const std::string& text) override { texts.push_back(text); }
    void UncoveredWavelength(const std::string& wavelength) override { uncovered = wavelength; }
    void ShowModal() override { ++shown; }

    std::vector<std::string> texts;
    std::string uncovered;
    int shown = 0;
};

class RecordingPrinter final : public ReportPrinter {
public:
    void PrintReport(const std::string& report) override { printed.push_back(report); }

    std::vector<std::string> printed;
};

class RecordingClipboard final : public Clipboard {
public:
    void SetText(const std::string& text) override { texts.push_back(text); }

    std::vector<std::string> texts;
};

// A mail route that records what it was given and works or fails as told.
class RecordingRoute final : public MailRoute {
public:
    explicit RecordingRoute(bool works) : m_works(works) {}
    bool Send(const MailMessage& message) override {
        sent.push_back(message);
        return m_works;
    }

    std::vector<MailMessage> sent;

private:
    bool m_works;
};

// A main window model over a given catalogue, with recording services.
struct ModelFixture {
    explicit ModelFixture(Catalogue catalogue = {}, char decimal = '.',
                          std::filesystem::path folder = std::filesystem::temp_directory_path());

    RecordingMessages messages;
    RecordingOpener opener;
    RecordingRequestWindow requestWindow;
    RecordingPrinter printer;
    MainWindowModel model;
};

// A head that suits almost any laser, to be narrowed by each test.
HeadRecord WideHead(const std::string& name);

// A coating table with every threshold in every row set to `value`.
CoatingTable UniformCoatings(double value);

// A fresh empty folder of this process's own under the temporary folder
// ($TMPDIR, else /tmp), removed when the test that made it ends (one made
// outside a test, when the process ends).
std::filesystem::path FreshFolder(const std::string& name);

void WriteFile(const std::filesystem::path& file, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& file);

// Lasers typed as a user would, all with a 10 mm beam at 1064 nm: pulsed, 1 J
// at 1 Hz and 1 ms; the same pulse measured one at a time; CW, 10 W.
void TypePulsed(MainWindowModel& model);
void TypeSinglePulse(MainWindowModel& model);
void TypeCw(MainWindowModel& model);

// Types each text into its entry, in order.
void TypeTexts(MainWindowModel& model, std::initializer_list<std::pair<EntryId, const char*>> texts);

// How many heads of `catalogue` an Explore keeps for the laser `type` enters.
int KeptCount(Catalogue catalogue, const std::function<void(MainWindowModel&)>& type);

// The locale variables (LC_ALL, LC_NUMERIC, LANG) as they were, put back when
// it goes, so that a test may set them freely; it starts the test in "C".
class LocaleEnvironment {
public:
    LocaleEnvironment();
    ~LocaleEnvironment();
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}  // namespace tavrin::test
