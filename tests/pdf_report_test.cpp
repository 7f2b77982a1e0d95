// The PDF report from the command line: what it says, read back with the
// PDF tools, and how the command refuses what it cannot write.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "select_command.h"
#include "selection/criterion_texts.h"
#include "test_support.h"

namespace tavrin {
namespace {

#ifdef TAVRIN_WITH_WINDOWS

struct Shell {
    int status;
    std::string out;
};

// A command through the shell, its standard output kept (standard error too
// when `withErrors`).
Shell RunShell(const std::string& command, bool withErrors = false) {
    FILE* pipe = popen((command + (withErrors ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
    Shell shell{-1, ""};
    if (pipe == nullptr) {
        return shell;
    }
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        shell.out.append(buffer.data(), got);
    }
    const int status = pclose(pipe);
    shell.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return shell;
}

std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

const std::string kCli = std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli select ";
const std::string kPulsedGaussian =
    "--pulsed --profile gaussian --beam 8 --wavelength 1064nm --energy 10mJ --rate 1kHz --pulse-width 10ns ";

// The text of a page (0: every page), laid out as on the page.
std::string PdfText(const std::filesystem::path& pdf, int page = 0) {
    const std::string pages = page == 0 ? "" : "-f " + std::to_string(page) + " -l " + std::to_string(page) + " ";
    return RunShell("pdftotext -layout " + pages + Quoted(pdf) + " -").out;
}

// The line of `text` that begins with `start` after blanks; empty when none does.
std::string LineStarting(const std::string& text, const std::string& start) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.substr(line.find_first_not_of(' ') == std::string::npos ? 0 : line.find_first_not_of(' '))
                .starts_with(start)) {
            return line;
        }
    }
    return "";
}

// The shares --details prints for a head: criterion key and share text.
std::vector<std::pair<std::string, std::string>> DetailsShares(const std::string& details, const std::string& head) {
    std::vector<std::pair<std::string, std::string>> shares;
    std::string line = LineStarting(details, head + " uses:");
    line = line.substr(0, line.find(';'));
    std::istringstream words(line.substr(line.find(':') + 1));
    for (std::string key, share, percent; words >> key >> share >> percent;) {
        shares.emplace_back(key, share + " " + percent);
    }
    return shares;
}

// How many pixels of a page's picture (a binary PPM) are not white, below
// `fromHeight` of the page's height.
int InkedBelow(const std::filesystem::path& ppm, double fromHeight) {
    std::ifstream in(ppm, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    int inked = 0;
    for (auto y = static_cast<std::size_t>(height * fromHeight); y < static_cast<std::size_t>(height); ++y) {
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            const std::size_t at = (y * static_cast<std::size_t>(width) + x) * 3;
            inked += pixels[at] < 200 || pixels[at + 1] < 200 || pixels[at + 2] < 200 ? 1 : 0;
        }
    }
    return inked;
}

TEST(PdfReport, APulsedGaussianLaserWithItsHeadsAndTheChosenHeadsShares) {
    const auto folder = test::FreshFolder("pdf-pulsed");
    const auto pdf = folder / "report.pdf";
    const Shell details = RunShell(kCli + kPulsedGaussian + "--details --report-pdf " + Quoted(pdf));
    ASSERT_EQ(details.status, 0) << details.out;
    const auto heads = nlohmann::json::parse(RunShell(kCli + kPulsedGaussian + "--json").out)["heads"];
    ASSERT_FALSE(heads.empty());

    const std::string first = PdfText(pdf, 1);
    for (const char* entry : {"Detector head selection", "Pulsed", "circular, 8 mm", "Gaussian", "1064 nm", "10 mJ",
                              "1 kHz", "10 ns", "Energy Density at centre", "Catalogue: ",
                              "Use at most 100 % of each limit", "Threshold between catalogue points: As listed"}) {
        EXPECT_NE(first.find(entry), std::string::npos) << entry;
    }
    for (const auto& head : heads) {
        EXPECT_FALSE(LineStarting(first, head["name"].get<std::string>() + " ").empty()) << head["name"];
    }
    // The centre's captions stand in their column, apart from their values.
    for (const char* caption : {"Energy Density at centre (\u00D72)", "Peak Power Density at centre (\u00D72)"}) {
        EXPECT_NE(LineStarting(first, caption).find(")  "), std::string::npos) << caption << " in " << first;
    }

    // The second page: the first suitable head, each share as --details writes it.
    const std::string chosen = heads[0]["name"];
    const std::string second = PdfText(pdf, 2);
    EXPECT_NE(second.find("Head " + chosen), std::string::npos);
    EXPECT_NE(second.find("Power through aperture"), std::string::npos) << "the Gaussian beam's clipping";
    EXPECT_NE(second.find("Coating row"), std::string::npos);
    const auto shares = DetailsShares(details.out, chosen);
    ASSERT_GE(shares.size(), 5u) << details.out;
    for (const auto& [key, share] : shares) {
        std::string caption;
        for (const Criterion criterion : kCriteriaInOrder) {
            if (key == TextOfCriterion(criterion).key) {
                caption = TextOfCriterion(criterion).caption;
            }
        }
        // The PDF's text extraction may drop the blank before "%".
        std::string row = LineStarting(second, caption);
        std::string shareWord = share;
        std::erase(row, ' ');
        std::erase(shareWord, ' ');
        EXPECT_NE(row.find(shareWord), std::string::npos) << key << " " << share << " in \"" << row << "\"";
    }

    EXPECT_LT(std::filesystem::file_size(pdf), 300'000u);
    const std::string fonts = RunShell("pdffonts " + Quoted(pdf)).out;
    std::istringstream fontLines(fonts);
    int embedded = 0;
    for (std::string line; std::getline(fontLines, line);) {
        if (line.starts_with("DejaVu")) {
            EXPECT_NE(line.find(" yes "), std::string::npos) << line;
            ++embedded;
        }
    }
    EXPECT_GT(embedded, 0) << fonts;
    EXPECT_NE(RunShell("pdfinfo " + Quoted(pdf)).out.find("(A4)"), std::string::npos);

    // The chart fills the lower part of the second page; a picture of each
    // page is kept in the build folder to be looked at.
    ASSERT_EQ(RunShell("pdftoppm -r 40 -f 2 -l 2 -singlefile " + Quoted(pdf) + " " + Quoted(folder / "page")).status,
              0);
    EXPECT_GT(InkedBelow(folder / "page.ppm", 0.5), 500);
    RunShell("pdftoppm -png -r 60 " + Quoted(pdf) + " " +
             Quoted(std::filesystem::path(TAVRIN_PROGRAM_DIR).parent_path() / "pdf-report"));
}

TEST(PdfReport, WhatPageTwoShowsFollowsTheLaserAndTheHeadAsked) {
    const auto folder = test::FreshFolder("pdf-pages");
    struct Case {
        std::string args;
        int status;
        std::vector<const char*> first;     // on page 1
        std::vector<const char*> second;    // on page 2; none: there is no page 2
        std::vector<const char*> notFirst;  // not on page 1
    };
    const Case cases[] = {
        // Nothing suits: the request, and no head to show.
        {"--beam 5 --wavelength 1064nm --power 5000000W", 1, {"request for a custom head", "1 - Laser Data"}, {}, {}},
        // A head that does not suit, asked for by name: why not, and the beam it would take.
        {kPulsedGaussian + "--head GDK1-8",
         0,
         {"suitable heads"},
         {"GDK1-8: not suitable", "Max power: 10 W > 1 W"},
         {}},
        // A single pulse: no rate, and no derived row without a value.
        {"--pulsed --single --beam 10 --wavelength 532nm --energy 50mJ --pulse-width 5ns",
         0,
         {"single pulse energy", "Max energy"},
         {"Head "},
         {"Repetition rate", "Avg. Power"}},
        {"--beam 5 --wavelength 1064nm --power 5000000W --head TQ10-12A",
         1,
         {"1 - Laser Data"},
         {"TQ10-12A: not suitable"},
         {}},
    };
    for (const Case& test : cases) {
        const auto pdf = folder / "report.pdf";
        std::filesystem::remove(pdf);
        const Shell run = RunShell(kCli + test.args + " --report-pdf " + Quoted(pdf));
        EXPECT_EQ(run.status, test.status) << test.args;
        const std::string first = PdfText(pdf, 1);
        for (const char* text : test.first) {
            EXPECT_NE(first.find(text), std::string::npos) << text << " in " << first;
        }
        for (const char* text : test.notFirst) {
            EXPECT_EQ(first.find(text), std::string::npos) << text << " in " << first;
        }
        const std::string second = PdfText(pdf, 2);
        EXPECT_EQ(second.empty(), test.second.empty()) << test.args;
        for (const char* text : test.second) {
            EXPECT_NE(second.find(text), std::string::npos) << text << " in " << second;
        }
    }
}

TEST(PdfReport, AHeadingAtAPagesFootKeepsItsFirstLine) {
    const auto pdf = test::FreshFolder("pdf-heading") / "report.pdf";
    ASSERT_EQ(RunShell(kCli + "--pulsed --beam 1 --wavelength 1064nm --energy 5J --rate 10Hz --pulse-width 10ns " +
                       "--report-pdf " + Quoted(pdf))
                  .status,
              1);
    const std::string heading = "No head suits";
    std::string page = PdfText(pdf, 1);
    if (page.find(heading) == std::string::npos) {
        page = PdfText(pdf, 2);
    }
    ASSERT_NE(page.find(heading), std::string::npos);
    const std::string after = page.substr(page.find('\n', page.find(heading)) + 1);
    EXPECT_NE(after.find_first_not_of(" \n\f"), std::string::npos) << "alone at the foot of\n" << page;
}

TEST(PdfReport, LetterWhereTheLocalesPaperIsLetter) {
    const auto pdf = test::FreshFolder("pdf-letter") / "report.pdf";
    ASSERT_EQ(RunShell("LOCPATH='" TAVRIN_LOCALE_DIR "' LC_ALL= LC_PAPER=en_US.UTF-8 " + kCli + kPulsedGaussian +
                       "--report-pdf " + Quoted(pdf))
                  .status,
              0);
    EXPECT_NE(RunShell("pdfinfo " + Quoted(pdf)).out.find("(letter)"), std::string::npos);
}

TEST(PdfReport, DatedWithTheLocalDate) {
    const auto pdf = test::FreshFolder("pdf-date") / "report.pdf";
    // 28 hours apart: the two zones never share a date.
    for (const char* zone : {"TZ=UTC+14 ", "TZ=UTC-14 "}) {
        ASSERT_EQ(RunShell(zone + kCli + kPulsedGaussian + "--report-pdf " + Quoted(pdf)).status, 0) << zone;
        const std::string today = RunShell(std::string(zone) + "date +%F").out;
        EXPECT_NE(PdfText(pdf, 1).find(today.substr(0, 10)), std::string::npos) << zone << today;
    }
}

TEST(PdfReport, RefusalsNameTheReasonAndWriteNothing) {
    const auto folder = test::FreshFolder("pdf-refused");
    const std::pair<std::string, std::pair<int, const char*>> cases[] = {
        {"--head GDK1-9 --report-pdf " + Quoted(folder / "a.pdf"), {64, "the closest: \"GDK1-8\""}},
        {"--head gdk1-8 --report-pdf " + Quoted(folder / "a.pdf"), {64, "no head is named \"gdk1-8\""}},
        {"--report-pdf " + Quoted(folder / "missing" / "a.pdf"), {74, "the PDF report"}},
        {"--report-pdf " + Quoted(folder), {74, "the PDF report"}},
        {"--head GDK1-8", {64, "--head needs --report-pdf"}},
        {"--report " + Quoted(folder / "a.pdf") + " --report-pdf " + Quoted(folder / "." / "a.pdf"),
         {64, "--report and --report-pdf name one file"}},
        {"--report-pdf /dev/stdout", {64, "/dev/stdout is standard output, where the listing goes"}},
        {"--json --report-pdf /dev/fd/1", {64, "(name a file)"}},
    };
    for (const auto& [args, expected] : cases) {
        const Shell run = RunShell(kCli + kPulsedGaussian + args, true);
        EXPECT_EQ(run.status, expected.first) << args << run.out;
        EXPECT_NE(run.out.find(expected.second), std::string::npos) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "a.pdf"));
}

TEST(PdfReport, TheBatchWritesEachRowsFileBesideTheBatchFile) {
    const auto folder = test::FreshFolder("pdf-batch");
    test::WriteFile(folder / "lasers.csv",
                    "beam,wavelength,power,report-pdf\n5,1064nm,10W,one.pdf\n5,1064nm,5000000W,two.pdf\n"
                    "5,1064nm,10W,\n");
    const Shell run = RunShell("cd / && " + kCli + "--batch " + Quoted(folder / "lasers.csv"));
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* file : {"one.pdf", "two.pdf"}) {
        EXPECT_EQ(test::ReadFile(folder / file).rfind("%PDF", 0), 0u) << file;
    }
    EXPECT_NE(PdfText(folder / "two.pdf").find("1 - Laser Data"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 3) << "no file for the third row";
}

TEST(PdfReport, TheBatchRefusesARowsPdfThatWouldLoseAFile) {
    const auto folder = test::FreshFolder("pdf-batch-refused");
    struct Case {
        const char* rows;     // after the header
        int status;           // the batch's exit status
        const char* message;  // on standard error
    };
    const Case cases[] = {
        {"5,1064nm,20W,q.csv\n", 74, "q.csv, which this command reads"},
        {"5,1064nm,20W,a.pdf\n5,1064nm,10W,./a.pdf\n", 74, "a.pdf could not be written: it is row 1's PDF report too"},
        {"5,1064nm,20W,/dev/stdout\n", 65, "is standard output, where the listing goes"},
    };
    for (const auto& test : cases) {
        const std::string batch = "beam,wavelength,power,report-pdf\n" + std::string(test.rows);
        test::WriteFile(folder / "q.csv", batch);
        const Shell run =
            RunShell("{ " + kCli + "--batch " + Quoted(folder / "q.csv") + " >" + Quoted(folder / "out") + "; }", true);
        EXPECT_EQ(run.status, test.status) << test.rows << run.out;
        EXPECT_NE(run.out.find(test.message), std::string::npos) << run.out;
        EXPECT_EQ(test::ReadFile(folder / "q.csv"), batch) << test.rows;
    }
    EXPECT_NE(PdfText(folder / "a.pdf").find("20 W"), std::string::npos) << "the first row's report stays";
}

#else

TEST(PdfReport, ABuildWithoutTheWindowsRefusesItWithTheReason) {
    std::ostringstream out;
    std::ostringstream err;
    const auto pdf = test::FreshFolder("pdf-core") / "report.pdf";
    EXPECT_EQ(
        cli::RunSelectCommand({"--beam", "5", "--wavelength", "1064nm", "--power", "10W", "--report-pdf", pdf.string()},
                              out, err, false),
        64);
    EXPECT_NE(err.str().find("built without the windows"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

#endif

}  // namespace
}  // namespace tavrin
