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
#include <filesystem>
#include <functional>
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

// The program started with `args`, its standard output and error into the
// files; SIGALRM ends it should it hang.
pid_t Start(const std::vector<std::string>& args, const fs::path& output, const fs::path& errors) {
    const std::string program = std::string(TAVRIN_PROGRAM_DIR) + "/cv-tavrin-cli";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};  // NOLINT(cppcoreguidelines-pro-type-const-cast)
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));  // NOLINT(cppcoreguidelines-pro-type-const-cast)
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        alarm(60);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status, or 128 and the signal that ended it.
int Finish(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
    const fs::path held = folder / "held.txt";
    test::WriteFile(held, "before ");
    const int heldDescriptor = open(held.c_str(), O_WRONLY | O_APPEND);
    int pipe[2] = {-1, -1};
    ASSERT_EQ(::pipe(pipe), 0);
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> scene;  // made in the folder
        std::string written;                         // the path given
        const char* refusal;                         // nullptr: written
        const char* landsIn;                         // the file that then holds the text, if any
        std::string expected = "new text";
    };
    const std::string descriptor = "/dev/fd/" + std::to_string(heldDescriptor);
    const Case cases[] = {
        {"a relative link into another folder",
         [](const fs::path& f) {
             test::WriteFile(f / "elsewhere" / "report.txt", "old");
             fs::permissions(f / "elsewhere" / "report.txt", fs::perms(0640));
             fs::create_directory(f / "out");
             fs::create_symlink("../elsewhere/report.txt", f / "out" / "rep.txt");
         },
         "out/rep.txt", nullptr, "elsewhere/report.txt"},
        {"links in a row",
         [](const fs::path& f) {
             fs::create_symlink(f / "second", f / "first");
             fs::create_symlink("target.txt", f / "second");
         },
         "first", nullptr, "target.txt"},
        {"a link to no file yet", [](const fs::path& f) { fs::create_symlink("made.txt", f / "dangling"); }, "dangling",
         nullptr, "made.txt"},
        {"a link to a folder", [](const fs::path& f) { fs::create_directory_symlink("/tmp", f / "to-folder"); },
         "to-folder", "to-folder could not be written: Is a folder", nullptr},
        {"a folder", [](const fs::path& f) { fs::create_directory(f / "folder"); }, "folder",
         "folder could not be written: Is a folder", nullptr},
        {"links in a loop",
         [](const fs::path& f) {
             fs::create_symlink("loop-b", f / "loop-a");
             fs::create_symlink("loop-a", f / "loop-b");
         },
         "loop-a", "Too many levels of symbolic links", nullptr},
        {"a link to a device", [](const fs::path& f) { fs::create_symlink("/dev/null", f / "to-null"); }, "to-null",
         nullptr, nullptr},
        {"a descriptor held open on a file, written at its place", [](const fs::path&) {}, descriptor, nullptr,
         "held.txt", "before new text"},
        {"a descriptor of a pipe", [](const fs::path&) {}, "/dev/fd/" + std::to_string(pipe[1]), nullptr, nullptr}};
    for (const Case& c : cases) {
        c.scene(folder);
        const fs::path given = c.written[0] == '/' ? fs::path(c.written) : folder / c.written;
        const auto linkBefore = fs::symlink_status(given).type();
        const bool existed = c.landsIn != nullptr && fs::exists(folder / c.landsIn);
        const auto permissionsBefore = existed ? fs::status(folder / c.landsIn).permissions() : fs::perms{};
        const auto written = ReplaceFile(given, "new text");
        if (c.refusal != nullptr) {
            ASSERT_FALSE(written) << c.what;
            EXPECT_NE(written.Failure().message.find(c.refusal), std::string::npos) << written.Failure().message;
        } else {
            ASSERT_TRUE(written) << c.what << ": " << written.Failure().message;
        }
        EXPECT_EQ(fs::symlink_status(given).type(), linkBefore) << c.what << ": the link stays a link";
        if (c.landsIn != nullptr) {
            EXPECT_EQ(test::ReadFile(folder / c.landsIn), c.expected) << c.what;
            if (existed) {
                EXPECT_EQ(fs::status(folder / c.landsIn).permissions(), permissionsBefore) << c.what;
            }
        }
    }
    close(heldDescriptor);
    close(pipe[1]);
    char read[16] = {};
    EXPECT_EQ(::read(pipe[0], read, sizeof read), 8);
    EXPECT_EQ(std::string(read), "new text");
    close(pipe[0]);
    EXPECT_EQ(Entries(folder / "elsewhere"), std::vector<std::string>{"report.txt"}) << "temporaries left";

    // The program's standard output, when the report is sent there too: the
    // report first, then what the command prints (/dev/stdout is the same
    // link; it is not named here, for a fault would replace the machine's own).
    const fs::path out = folder / "out.txt";
    const pid_t pid = Start({"select", "--data-dir", TAVRIN_PROGRAM_DIR, "--beam", "5", "--report", "/dev/fd/1"}, out,
                            folder / "err.txt");
    EXPECT_EQ(Finish(pid), 2);
    const std::string text = test::ReadFile(out);
    EXPECT_EQ(text.rfind("\r\nCORVANE TAVRIN\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nDerived beam parameters:\n"), std::string::npos) << text;
}

// What would block, or lose what the command read, is refused before anything
// is written, with status 74.
TEST_F(FileOutput, TargetsThatWouldBlockOrLoseWhatWasReadAreRefused) {
    const std::string program = TAVRIN_PROGRAM_DIR;
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> scene;
        std::vector<std::string> args;  // "@" is the test's folder
        const char* refusal;
        const char* unchanged;  // a file of the folder that keeps its bytes
    };
    const auto shippedCopy = [program](const fs::path& f) {
        fs::create_directory(f / "d");
        for (const char* file : {"Heads.Dat", "Coatings.Dat"}) {
            fs::copy_file(fs::path(program) / file, f / "d" / file);
        }
    };
    const auto sources = [](const fs::path& f) {
        for (const char* file : {"heads.csv", "coatings.csv"}) {
            fs::copy_file(fs::path(TAVRIN_DATA_DIR) / file, f / file);
        }
    };
    const std::vector<std::string> select = {"select", "--data-dir", "@/d", "--beam", "5", "--report"};
    const auto report = [&select](const char* file) {
        auto args = select;
        args.emplace_back(file);
        return args;
    };
    const Case cases[] = {{"a FIFO as the head catalogue",
                           [](const fs::path& f) { ASSERT_EQ(mkfifo((f / "Heads.Dat").c_str(), 0644), 0); },
                           {"catalogue", "build", TAVRIN_DATA_DIR, "@"},
                           "Heads.Dat could not be written: not a regular file",
                           nullptr},
                          {"a link to a device as the coatings",
                           [](const fs::path& f) { fs::create_symlink("/dev/null", f / "Coatings.Dat"); },
                           {"catalogue", "synth", "3", "@"},
                           "Coatings.Dat could not be written: not a regular file",
                           nullptr},
                          {"the report over the catalogue read", shippedCopy, report("@/d/Heads.Dat"),
                           "it is @/d/Heads.Dat, which this command reads", "d/Heads.Dat"},
                          {"the report through a link to the catalogue read",
                           [&shippedCopy](const fs::path& f) {
                               shippedCopy(f);
                               fs::create_symlink(f / "d" / "Coatings.Dat", f / "r.txt");
                           },
                           report("@/r.txt"), "which this command reads", "d/Coatings.Dat"},
                          {"the report as a second name of the catalogue read",
                           [&shippedCopy](const fs::path& f) {
                               shippedCopy(f);
                               fs::create_hard_link(f / "d" / "Heads.Dat", f / "r.txt");
                           },
                           report("@/r.txt"), "which this command reads", "d/Heads.Dat"},
                          {"a built catalogue over its own source",
                           [&sources](const fs::path& f) {
                               sources(f);
                               fs::create_directory(f / "out");
                               fs::create_symlink(f / "heads.csv", f / "out" / "Heads.Dat");
                           },
                           {"catalogue", "build", "@", "@/out"},
                           "which this command reads",
                           "heads.csv"},
                          {"dumped sources over the catalogue dumped",
                           [&shippedCopy](const fs::path& f) {
                               shippedCopy(f);
                               fs::create_directory(f / "src");
                               fs::create_hard_link(f / "d" / "Heads.Dat", f / "src" / "heads.csv");
                           },
                           {"catalogue", "dump", "@/d", "--out", "@/src"},
                           "which this command reads",
                           "d/Heads.Dat"},
                          {"two outputs that are one file",
                           [](const fs::path& f) {
                               test::WriteFile(f / "Heads.Dat", "old");
                               fs::create_symlink("Heads.Dat", f / "Coatings.Dat");
                           },
                           {"catalogue", "build", TAVRIN_DATA_DIR, "@"},
                           "Coatings.Dat could not be written: it is",
                           "Heads.Dat"}};
    for (const Case& c : cases) {
        const fs::path folder = TestFolder();
        c.scene(folder);
        const std::string before = c.unchanged != nullptr ? test::ReadFile(folder / c.unchanged) : "";
        std::vector<std::string> args;
        for (std::string arg : c.args) {
            for (std::size_t at = arg.find('@'); at != std::string::npos; at = arg.find('@')) {
                arg.replace(at, 1, folder.string());
            }
            args.push_back(arg);
        }
        const fs::path errors = folder.string() + "-err.txt";
        EXPECT_EQ(Finish(Start(args, "/dev/null", errors)), 74) << c.what;
        std::string refusal = c.refusal;
        if (const auto at = refusal.find('@'); at != std::string::npos) {
            refusal.replace(at, 1, folder.string());
        }
        EXPECT_NE(test::ReadFile(errors).find(refusal), std::string::npos) << c.what << ": " << test::ReadFile(errors);
        if (c.unchanged != nullptr) {
            EXPECT_TRUE(test::ReadFile(folder / c.unchanged) == before) << c.what << ": changed";
        }
    }
}

// A name at the folder's limit gets its temporary within the limit too; a
// shortened name keeps whole UTF-8 characters.
TEST_F(FileOutput, NamesAtTheLimitAreWritten) {
    const fs::path folder = TestFolder();
    std::string accents;
    for (int i = 0; i < 127; ++i) {
        accents += "\xc3\xa9";
    }
    for (const std::string& name : {std::string(250, 'a'), std::string(255, 'b'), accents, accents + "c"}) {
        for (const char* text : {"first", "second"}) {  // made, then replaced
            const auto written = ReplaceFile(folder / name, text);
            ASSERT_TRUE(written) << name.size() << ": " << written.Failure().message;
            EXPECT_EQ(test::ReadFile(folder / name), text);
        }
        EXPECT_EQ(Entries(folder), std::vector<std::string>{name});
        fs::remove(folder / name);
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
    const Case cases[] = {
        {"one file cut half-way", {{heads, big}}, 64 * 1024, "", false, true, "File too large"},
        {"the second of two cut",
         {{heads, "new heads"}, {coatings, big}},
         64 * 1024,
         "",
         false,
         true,
         "File too large"},
        {"the first of two cut",
         {{heads, big}, {coatings, "new coatings"}},
         64 * 1024,
         "",
         false,
         true,
         "File too large"},
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
            const int status = Finish(pid);
            const std::string what = std::string(strsignal(c.signal)) + (c.ignored ? ", ignored" : "");
            EXPECT_EQ(Entries(folder), (std::vector<std::string>{"Coatings.Dat", "Heads.Dat"})) << what;
            if (seen) {
                EXPECT_EQ(status, c.ignored ? 0 : 128 + c.signal) << what;
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
    const std::string program = TAVRIN_PROGRAM_DIR;
    const std::vector<std::string> commands[] = {
        {"catalogue", "build", TAVRIN_DATA_DIR}, {"catalogue", "synth", "5"}, {"catalogue", "dump", program, "--out"}};
    for (std::vector<std::string> args : commands) {
        const fs::path folder = TestFolder() / "out";
        fs::create_directory(folder);
        args.push_back(folder.string());
        const fs::path errors = folder.parent_path() / "err.txt";
        pid_t pid = 0;
        {
            const TerminationSignalsHeld signals;
            const auto held = OutputFolder::Open(folder, signals);
            ASSERT_TRUE(held);
            pid = Start(args, "/dev/null", errors);
            const auto deadline = std::chrono::steady_clock::now() + 60s;
            while (test::ReadFile(errors).empty() && std::chrono::steady_clock::now() < deadline &&
                   waitpid(pid, nullptr, WNOHANG) == 0) {
                std::this_thread::sleep_for(5ms);
            }
            EXPECT_EQ(test::ReadFile(errors), "waiting for another command writing into " + folder.string() + "\n");
            EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << args[1] << " did not wait";
            EXPECT_EQ(Entries(folder), std::vector<std::string>{OutputFolder::kLockFileName});
        }
        EXPECT_EQ(Finish(pid), 0) << test::ReadFile(errors);
        EXPECT_EQ(Entries(folder).size(), 2u) << args[1];
    }
}

}  // namespace
}  // namespace tavrin
