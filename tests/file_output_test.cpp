// Files land where their links lead and only there, whole or not at all,
// and nothing is left behind by a command that fails or is stopped.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "catalogue_command.h"
#include "select_command.h"
#include "support/file_io.h"
#include "support/output_folder.h"
#include "test_support.h"

// Renames onto a file named `gRefusedTarget` fail with EPERM, as onto an
// immutable file or another user's in a sticky folder; with `gNoSwap` the file
// system cannot swap two names. The test program's own definitions come
// before the C library's.
namespace {
std::string gRefusedTarget;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
bool gNoSwap = false;        // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

bool Refused(const char* to) {
    return !gRefusedTarget.empty() && std::filesystem::path(to).filename() == gRefusedTarget;
}

template <typename Function>
Function* Real(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));  // NOLINT(cppcoreguidelines-pro-type-reinterpret-cast)
}
}  // namespace

extern "C" int rename(const char* from, const char* to) noexcept {
    if (Refused(to)) {
        errno = EPERM;
        return -1;
    }
    static auto* const real = Real<int(const char*, const char*)>("rename");
    return real(from, to);
}

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) noexcept {
    if (Refused(to) || (gNoSwap && (flags & RENAME_EXCHANGE) != 0)) {
        errno = Refused(to) ? EPERM : EINVAL;
        return -1;
    }
    static auto* const real = Real<int(int, const char*, int, const char*, unsigned)>("renameat2");
    return real(fromFolder, from, toFolder, to, flags);
}

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct CliRun {
    int status;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const int status =
        args[0] == "select" ? cli::RunSelectCommand(rest, out, err) : cli::RunCatalogueCommand(rest, out, err);
    return {status, err.str()};
}

// Runs a shell command in `folder`, with cv-tavrin-cli on the path, the
// program's folder in $P and the catalogue sources in $D; its exit status.
int Shell(const fs::path& folder, const std::string& command) {
    const std::string line = "P=\"" TAVRIN_PROGRAM_DIR "\"; D=\"" TAVRIN_DATA_DIR "\"; PATH=\"$P:$PATH\"; cd \"" +
                             folder.string() + "\" && " + command;
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path TestFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    return test::FreshFolder(std::string(info->test_suite_name()) + "-" + info->name());
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FileOutput : public testing::Test {
protected:
    void TearDown() override {
        gRefusedTarget.clear();
        gNoSwap = false;
    }
    test::LocaleEnvironment m_locale;
};

// ---- where a write lands ---------------------------------------------------------

TEST_F(FileOutput, WritesLandWhereLinksLead) {
    const fs::path folder = TestFolder();
    test::WriteFile(folder / "held.txt", "before ");
    const int held = open((folder / "held.txt").c_str(), O_WRONLY | O_APPEND);
    int pipe[2] = {-1, -1};
    ASSERT_EQ(::pipe(pipe), 0);
    std::string accents;  // 255 bytes, whose temporary name must be cut at a whole character
    for (int i = 0; i < 127; ++i) {
        accents += "\xc3\xa9";
    }
    struct Case {
        const char* what;
        const char* scene;  // a shell command run in the folder first
        std::string written;
        const char* refusal;    // nullptr: written
        std::string landsIn{};  // the file that then holds the text, if any
        std::string expected = "new text";
    };
    const Case cases[] = {
        {"a relative link into another folder",
         "mkdir elsewhere out && echo old >elsewhere/r.txt && chmod 640 elsewhere/r.txt && ln -s ../elsewhere/r.txt "
         "out/r.txt",
         "out/r.txt", nullptr, "elsewhere/r.txt"},
        {"links in a row", "ln -s \"$PWD/second\" first && ln -s target.txt second", "first", nullptr, "target.txt"},
        {"a link to no file yet", "ln -s made.txt dangling", "dangling", nullptr, "made.txt"},
        {"a link to a folder", "ln -s /tmp to-folder", "to-folder", "to-folder could not be written: Is a folder"},
        {"a folder", "mkdir folder", "folder", "folder could not be written: Is a folder"},
        {"links in a loop", "ln -s loop-b loop-a && ln -s loop-a loop-b", "loop-a", "Too many levels of symbolic"},
        {"a link to a device", "ln -s /dev/null to-null", "to-null", nullptr},
        {"a name of 250 bytes", "true", std::string(250, 'a'), nullptr, std::string(250, 'a')},
        {"a name of 255 bytes", "true", accents, nullptr, accents},
        {"a descriptor held open on a file, written where it stands", "true", "/dev/fd/" + std::to_string(held),
         nullptr, "held.txt", "before new text"},
        {"a descriptor of a pipe", "true", "/dev/fd/" + std::to_string(pipe[1]), nullptr}};
    for (const Case& c : cases) {
        ASSERT_EQ(Shell(folder, c.scene), 0) << c.what;
        const fs::path given = c.written[0] == '/' ? fs::path(c.written) : folder / c.written;
        const auto linkBefore = fs::symlink_status(given).type();
        const auto permissionsBefore = fs::status(folder / c.landsIn).permissions();
        const auto written = ReplaceFile(given, "new text");
        EXPECT_EQ(written.Ok(), c.refusal == nullptr) << c.what;
        if (c.refusal != nullptr && !written) {
            EXPECT_NE(written.Failure().message.find(c.refusal), std::string::npos) << written.Failure().message;
        }
        EXPECT_TRUE(linkBefore != fs::file_type::symlink || fs::is_symlink(given)) << c.what << ": a link no more";
        if (!c.landsIn.empty()) {
            EXPECT_EQ(test::ReadFile(folder / c.landsIn), c.expected) << c.what;
            if (permissionsBefore != fs::perms::unknown) {
                EXPECT_EQ(fs::status(folder / c.landsIn).permissions(), permissionsBefore) << c.what;
            }
        }
    }
    close(held);
    close(pipe[1]);
    char read[16] = {};
    EXPECT_EQ(::read(pipe[0], read, sizeof read), 8);
    EXPECT_EQ(std::string(read), "new text");
    close(pipe[0]);
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path() << ": a temporary left";
    }

    // The report sent to the program's standard output goes there first,
    // before what the command prints (/dev/stdout is the same link, not
    // named here, for a fault would replace the machine's own).
    EXPECT_EQ(Shell(folder, "cv-tavrin-cli select --data-dir \"$P\" --beam 5 --report /dev/fd/1 >out.txt"), 2);
    const std::string text = test::ReadFile(folder / "out.txt");
    EXPECT_EQ(text.rfind("\r\nCORVANE TAVRIN\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nDerived beam parameters:\n"), std::string::npos) << text;
}

// What would block, or lose what the command read, is refused before anything
// is written, with status 74.
TEST_F(FileOutput, TargetsThatWouldBlockOrLoseWhatWasReadAreRefused) {
    struct Case {
        const char* what;
        const char* scene;
        const char* command;  // of cv-tavrin-cli
        const char* refusal;
        const char* unchanged;  // a file that keeps its bytes
    };
    const Case cases[] = {
        {"a FIFO as the head catalogue", "mkfifo Heads.Dat", "catalogue build \"$D\" .",
         "Heads.Dat could not be written: not a regular file", nullptr},
        {"a link to a device as the coatings", "ln -s /dev/null Coatings.Dat", "catalogue synth 3 .",
         "Coatings.Dat could not be written: not a regular file", nullptr},
        {"the report over the catalogue read", "mkdir d && cp \"$P\"/*.Dat d",
         "select --data-dir d --beam 5 --report d/Heads.Dat",
         "d/Heads.Dat could not be written: it is d/Heads.Dat, which this command reads", "d/Heads.Dat"},
        {"the report through a link to it", "mkdir d && cp \"$P\"/*.Dat d && ln -s d/Coatings.Dat r.txt",
         "select --data-dir d --beam 5 --report r.txt", "r.txt could not be written: it is d/Coatings.Dat, which",
         "d/Coatings.Dat"},
        {"the report as a second name of it", "mkdir d && cp \"$P\"/*.Dat d && ln d/Heads.Dat r.txt",
         "select --data-dir d --beam 5 --report r.txt", "it is d/Heads.Dat, which", "d/Heads.Dat"},
        {"a built catalogue over its source", "cp \"$D\"/*.csv . && mkdir out && ln -s ../heads.csv out/Heads.Dat",
         "catalogue build . out", "out/Heads.Dat could not be written: it is ./heads.csv, which", "heads.csv"},
        {"dumped sources over the catalogue", "mkdir d src && cp \"$P\"/*.Dat d && ln d/Heads.Dat src/heads.csv",
         "catalogue dump d --out src", "src/heads.csv could not be written: it is d/Heads.Dat", "d/Heads.Dat"},
        {"two outputs that are one file", "echo old >Heads.Dat && ln -s Heads.Dat Coatings.Dat",
         "catalogue build \"$D\" .", "Coatings.Dat could not be written: it is ./Heads.Dat too", "Heads.Dat"}};
    for (const Case& c : cases) {
        const fs::path folder = TestFolder();
        ASSERT_EQ(Shell(folder, c.scene), 0) << c.what;
        const std::string before = c.unchanged != nullptr ? test::ReadFile(folder / c.unchanged) : "";
        EXPECT_EQ(Shell(folder, std::string("timeout 60 cv-tavrin-cli ") + c.command + " >/dev/null 2>err.txt"), 74)
            << c.what;
        const std::string err = test::ReadFile(folder / "err.txt");
        EXPECT_NE(err.find(c.refusal), std::string::npos) << c.what << ": " << err;
        if (c.unchanged != nullptr) {
            EXPECT_TRUE(test::ReadFile(folder / c.unchanged) == before) << c.what << ": changed";
        }
    }
}

// ---- whole or not at all ----------------------------------------------------------

// A write that fails half-way, as on a full disk: the process may write no
// more than `bytes` to any file while this lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST_F(FileOutput, ReplacingIsAllOrNothing) {
    const fs::path folder = TestFolder();
    const fs::path heads = folder / "Heads.Dat";
    const fs::path coatings = folder / "Coatings.Dat";
    const std::string big(256 * 1024, 'x');
    struct Case {
        const char* what;
        std::vector<FileContent> files;
        rlim_t limit;               // 0: none
        const char* refusedTarget;  // renames onto it fail
        bool noSwap;
        bool headsBefore;  // Heads.Dat was there
        const char* reason;
    };
    const std::vector<FileContent> both = {{heads, "new heads"}, {coatings, "new coatings"}};
    const rlim_t cut = 64 * 1024;
    const Case cases[] = {
        {"one file cut half-way", {{heads, big}}, cut, "", false, true, "File too large"},
        {"the second of two cut", {{heads, "new heads"}, {coatings, big}}, cut, "", false, true, "File too large"},
        {"the first of two cut", {{heads, big}, {coatings, "new coatings"}}, cut, "", false, true, "File too large"},
        {"the second cannot be renamed", both, 0, "Coatings.Dat", false, true, "Operation not permitted"},
        {"the second cannot be renamed, no swapping", both, 0, "Coatings.Dat", true, true, "Operation not permitted"},
        {"the second cannot be renamed, the first new", both, 0, "Coatings.Dat", false, false, "not permitted"},
        {"the first cannot be renamed", both, 0, "Heads.Dat", false, true, "Operation not permitted"}};
    for (const Case& c : cases) {
        fs::remove(heads);
        if (c.headsBefore) {
            test::WriteFile(heads, "old heads");
        }
        test::WriteFile(coatings, "old coatings");
        gRefusedTarget = c.refusedTarget;
        gNoSwap = c.noSwap;
        std::optional<FileSizeLimit> limit;
        if (c.limit != 0) {
            limit.emplace(c.limit);
        }
        const auto written = ReplaceFiles(c.files);
        limit.reset();
        gRefusedTarget.clear();
        gNoSwap = false;
        ASSERT_FALSE(written) << c.what;
        EXPECT_NE(written.Failure().message.find(c.reason), std::string::npos) << written.Failure().message;
        EXPECT_EQ(fs::exists(heads) ? test::ReadFile(heads) : "none", c.headsBefore ? "old heads" : "none") << c.what;
        EXPECT_EQ(test::ReadFile(coatings), "old coatings") << c.what;
        EXPECT_EQ(Entries(folder).size(), c.headsBefore ? 2u : 1u) << c.what << ": temporaries left";
    }

    // Without swapping, a replacement that succeeds leaves no old file behind.
    gNoSwap = true;
    ASSERT_TRUE(ReplaceFiles(both));
    gNoSwap = false;
    EXPECT_EQ(test::ReadFile(heads) + test::ReadFile(coatings), "new headsnew coatings");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Coatings.Dat", "Heads.Dat"}));

    // A build whose second file cannot be put in place changes neither.
    gRefusedTarget = "Coatings.Dat";
    const CliRun run = Cli({"catalogue", "build", TAVRIN_DATA_DIR, folder.string()});
    gRefusedTarget.clear();
    EXPECT_EQ(run.status, 74);
    EXPECT_NE(run.err.find("Coatings.Dat could not be replaced: Operation not permitted"), std::string::npos)
        << run.err;
    EXPECT_EQ(test::ReadFile(heads), "new heads");
}

// ---- stopped, failed or side by side ----------------------------------------------

// Whether the process, until it ends, has a file open in the folder (its
// lock file aside).
bool SeenWritingIn(pid_t pid, const fs::path& folder) {
    const fs::path descriptors = "/proc/" + std::to_string(pid) + "/fd";
    const std::string inside = folder.string() + "/";
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        for (fs::directory_iterator it(descriptors, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string open = fs::read_symlink(it->path(), ec).string();
            if (open.rfind(inside, 0) == 0 && open.find(OutputFolder::kLockFileName) == std::string::npos) {
                return true;
            }
        }
        const std::string state = test::ReadFile("/proc/" + std::to_string(pid) + "/stat");
        const auto end = state.rfind(')');
        if (end == std::string::npos || state.compare(end + 2, 1, "Z") == 0) {
            return false;
        }
    }
    return false;
}

// A catalogue's two files as the catalogue commands write them, stopped by
// each signal while the first is written: the old files stay, and nothing
// else (no temporary, no lock file).
TEST_F(FileOutput, ASignalWhileACatalogueIsWrittenLeavesNothingBehind) {
    const fs::path folder = TestFolder();
    const std::string heads(16 << 20, 'h');
    struct Case {
        int signal;
        bool ignored;  // as under nohup, or in a shell's background job: the write goes on
    };
    for (const Case c : {Case{SIGINT, false}, Case{SIGTERM, false}, Case{SIGHUP, false}, Case{SIGHUP, true}}) {
        bool seen = false;
        for (int attempt = 0; attempt < 5 && !seen; ++attempt) {
            test::WriteFile(folder / "Heads.Dat", "old heads");
            test::WriteFile(folder / "Coatings.Dat", "old coatings");
            const pid_t pid = fork();
            if (pid == 0) {
                for (const int each : {SIGINT, SIGTERM, SIGHUP}) {
                    std::signal(each, each == c.signal && c.ignored ? SIG_IGN : SIG_DFL);
                }
                std::ostringstream err;
                _exit(cli::WriteCatalogueFiles(folder, {{"Heads.Dat", heads}, {"Coatings.Dat", "new"}}, {}, err));
            }
            seen = SeenWritingIn(pid, folder);
            if (seen) {
                kill(pid, c.signal);
            }
            int status = 0;
            waitpid(pid, &status, 0);
            const std::string what = std::string(strsignal(c.signal)) + (c.ignored ? ", ignored" : "");
            EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Coatings.Dat", "Heads.Dat"})) << what;
            if (seen) {
                EXPECT_EQ(c.ignored ? WEXITSTATUS(status) : WTERMSIG(status), c.ignored ? 0 : c.signal) << what;
                EXPECT_TRUE(test::ReadFile(folder / "Heads.Dat") == (c.ignored ? heads : "old heads")) << what;
                EXPECT_EQ(test::ReadFile(folder / "Coatings.Dat"), c.ignored ? "new" : "old coatings") << what;
            }
        }
        EXPECT_TRUE(seen) << strsignal(c.signal) << ": the write was never seen";
    }
}

// A command that fails takes away the folders it made, and only those.
TEST_F(FileOutput, AFailedCommandRemovesTheFoldersItMade) {
    const std::string program = TAVRIN_PROGRAM_DIR;
    struct Case {
        std::vector<std::string> args;  // the output folder, under the test's folder, is appended
        const char* output;
        std::vector<std::string> left;  // in the test's folder
    };
    const Case cases[] = {{{"catalogue", "dump", program, "--out"}, "new", {"kept"}},
                          {{"catalogue", "dump", program, "--out"}, "new/a/b/", {"kept"}},
                          {{"catalogue", "synth", "1000"}, "new", {"kept"}},
                          {{"catalogue", "build", TAVRIN_DATA_DIR}, "kept/new", {"kept"}},
                          {{"catalogue", "build", TAVRIN_DATA_DIR}, "kept", {"kept"}}};
    for (const Case& c : cases) {
        const fs::path folder = TestFolder();
        fs::create_directory(folder / "kept");
        auto args = c.args;
        args.push_back((folder / c.output).string());
        CliRun run{};
        {
            const FileSizeLimit limit(1024);
            run = Cli(args);
        }
        EXPECT_EQ(run.status, 74) << c.output;
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        EXPECT_EQ(Entries(folder), c.left) << args[1] << " " << c.output;
        EXPECT_TRUE(fs::is_empty(folder / "kept"));
    }
}

// A command finding another writing into its folder waits for it, says so,
// and then writes; the lock file goes with the last.
TEST_F(FileOutput, CommandsWritingIntoOneFolderTakeTurns) {
    for (const char* command :
         {"catalogue build \"$D\" out", "catalogue synth 5 out", "catalogue dump \"$P\" --out out"}) {
        const fs::path folder = TestFolder();
        fs::create_directory(folder / "out");
        {
            const TerminationSignalsHeld signals;
            const auto held = OutputFolder::Open(folder / "out", signals);
            ASSERT_TRUE(held);
            ASSERT_EQ(Shell(folder, std::string("(cv-tavrin-cli ") + command + " 2>err.txt; echo $? >status) &"), 0);
            const auto deadline = std::chrono::steady_clock::now() + 60s;
            const auto lineWritten = [&folder] {
                const std::string err = test::ReadFile(folder / "err.txt");
                return !err.empty() && err.back() == '\n';
            };
            while (!lineWritten() && !fs::exists(folder / "status") &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(5ms);
            }
            EXPECT_EQ(test::ReadFile(folder / "err.txt"), "waiting for another command writing into out\n");
            EXPECT_FALSE(fs::exists(folder / "status")) << command << " did not wait";
            EXPECT_EQ(Entries(folder / "out"), std::vector<std::string>{OutputFolder::kLockFileName});
        }
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (test::ReadFile(folder / "status").empty() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
        }
        EXPECT_EQ(test::ReadFile(folder / "status"), "0\n") << command;
        EXPECT_EQ(Entries(folder / "out").size(), 2u) << command;
    }
}

}  // namespace
}  // namespace tavrin
