// `select --batch`: every row is exactly what a single `select` gives.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "select_command.h"
#include "test_support.h"

namespace tavrin {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Select(std::vector<std::string> args, bool terminal = false) {
    args.insert(args.begin(), {"--data-dir", TAVRIN_PROGRAM_DIR});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunSelectCommand(args, out, err, terminal);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class Batch : public testing::Test {
protected:
    void SetUp() override {
        setenv("LC_ALL", "C", 1);
        folder = test::FreshFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string File(const std::string& text) {
        test::WriteFile(folder / "lasers.csv", text);
        return (folder / "lasers.csv").string();
    }
    std::filesystem::path folder;
};

// A row per mode, with a refused row in the middle; each JSON line is the
// single run's object plus "row" and "exit".
TEST_F(Batch, RowsEqualSingleRuns) {
    const std::vector<std::vector<std::string>> lasers = {
        {"--beam", "5", "--wavelength", "1064nm", "--power", "100W"},
        {"--pulsed", "--beam", "8", "--wavelength", "1064nm", "--energy", "10mJ", "--rate", "1kHz", "--pulse-width",
         "10ns"},
        {"--beam", "5", "--power", "10MW"},
        {"--pulsed", "--single", "--beam", "10", "--wavelength", "532nm", "--energy", "50mJ", "--pulse-width", "5ns"},
        {"--rect", "--beam", "3", "--width", "4", "--wavelength", "10.6um", "--power", "30kW"},
        {"--probe", "--beam", "5", "--wavelength", "1064nm", "--power", "100W"},
        {"--beam", "5"}};
    const std::string file = File(
        "beam,width,wavelength,power,energy,rate,pulse-width,pulsed,rect,single,probe\r\n"
        "5,,1064nm,100W,,,,,,,\r\n"
        "8,,1064nm,,10mJ,1kHz,10ns,yes,,,\r\n"
        "5,,,10MW,,,,,,,\r\n"
        "10,,532nm,,50mJ,,5ns,TRUE,no,1,0\r\n"
        "3,4,10.6um,30kW,,,,false,yes,,\r\n"
        "5,,1064nm,100W,,,,,,,true\r\n"
        "5,,,,,,,,,,\r\n");
    const CliRun batch = Select({"--batch", file, "--json"});
    EXPECT_EQ(batch.status, 65);
    const auto lines = Lines(batch.out);
    ASSERT_EQ(lines.size(), lasers.size());
    for (std::size_t i = 0; i < lasers.size(); ++i) {
        auto args = lasers[i];
        args.push_back("--json");
        const CliRun single = Select(args);
        auto row = nlohmann::ordered_json::parse(lines[i]);
        EXPECT_EQ(row["row"], i + 1);
        EXPECT_EQ(row["exit"], single.status) << i + 1;
        if (single.status == 64) {
            EXPECT_EQ(row["error"].get<std::string>() + "\n", single.err) << i + 1;
            EXPECT_EQ(row.size(), 3u);
            continue;
        }
        row.erase("row");
        row.erase("exit");
        EXPECT_EQ(row, nlohmann::ordered_json::parse(single.out)) << i + 1;
    }
}

TEST_F(Batch, CsvOutputListsEveryHeadOrTheStatus) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const std::string file = File(
        "\xEF\xBB\xBFpower,beam,wavelength,pulsed\n"
        "\"100\",\"2,5\",1064nm,\n"
        "30kW,5,1064nm,0\n"
        "100W,5,,\n"
        "100W,5,1064nm,maybe\n");
    const CliRun run = Select({"--batch", file});
    EXPECT_EQ(run.status, 65);
    const auto lines = Lines(run.out);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "row,status,head,margin");
    EXPECT_EQ(lines[1].rfind("1,found,", 0), 0u) << lines[1];
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"2,none,,", "3,invalid,,", "4,refused,,"}));
}

TEST_F(Batch, BadOptionsAndHeadersAreRefused) {
    const std::string good = File("beam,power\n5,100W\n");
    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--batch", good, "--report", "r.txt"}, "--report cannot be used with --batch"},
             {{"--batch", good, "--beam", "5"}, "give no laser options"},
             {{"--batch", (folder / "missing.csv").string()}, "missing.csv"}}) {
        const CliRun run = Select(args);
        EXPECT_EQ(run.status, 64);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
    const CliRun unknown = Select({"--batch", File("beam,colour\n5,red\n")});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_NE(unknown.err.find("unknown column \"colour\""), std::string::npos) << unknown.err;
}

// Progress shows on a terminal only, and only for more than 1,000 rows.
TEST_F(Batch, ProgressOnlyOnATerminal) {
    std::string text = "beam,wavelength,power\n";
    for (int i = 0; i < 1001; ++i) {
        text += "5,1064nm,100W\n";
    }
    const std::string file = File(text);
    EXPECT_NE(Select({"--batch", file}, true).err.find("1001 of 1001 rows"), std::string::npos);
    EXPECT_TRUE(Select({"--batch", file}, false).err.empty());

    // The real program decides by its standard error: a pseudo-terminal here.
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int out = open("/dev/null", O_WRONLY);
        dup2(out, STDOUT_FILENO);
        const std::string program = std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli";
        execl(program.c_str(), program.c_str(), "select", "--batch", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string terminal;
    char buffer[4096];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) {
        terminal.append(buffer, static_cast<std::size_t>(got));
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(terminal.find("1001 of 1001 rows"), std::string::npos) << terminal;
}

}  // namespace
}  // namespace tavrin
