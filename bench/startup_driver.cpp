// Times the desktop program's start-up: from starting it to the launcher
// painted, and from "TAVRIN" to the main window painted (as the program's
// start-up probe reports it). Usage: tavrin_startup_driver PROBE PROGRAM_FOLDER RUNS
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double toLauncher = 0;  // ms
    double toMain = 0;      // ms
};

bool RunOnce(const char* program, const char* folder, Sample& sample) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(folder), nullptr};
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return false;
    }
    FILE* out = fdopen(pipeEnds[0], "r");
    char line[256];
    bool launcher = false;
    bool main = false;
    while (std::fgets(line, sizeof line, out) != nullptr) {
        const std::string text(line);
        if (text.rfind("launcher-painted", 0) == 0) {
            sample.toLauncher =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            launcher = true;
        } else if (text.rfind("main-painted ", 0) == 0) {
            sample.toMain = std::strtod(text.c_str() + 13, nullptr);
            main = true;
        }
    }
    std::fclose(out);
    int status = 0;
    waitpid(child, &status, 0);
    return launcher && main && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tavrin_startup_driver PROBE PROGRAM_FOLDER RUNS\n");
        return 64;
    }
    const int runs = std::max(1, std::atoi(argv[3]));
    std::vector<double> toLauncher;
    std::vector<double> toMain;
    for (int i = 0; i < runs; ++i) {
        Sample sample;
        if (!RunOnce(argv[1], argv[2], sample)) {
            std::fprintf(stderr, "run %d of %s did not report both paints\n", i + 1, argv[1]);
            return 1;
        }
        toLauncher.push_back(sample.toLauncher);
        toMain.push_back(sample.toMain);
    }
    std::printf("{\"runs\": %d, \"start_to_launcher_painted_ms\": %.2f, \"tavrin_to_main_painted_ms\": %.2f}\n", runs,
                Median(toLauncher), Median(toMain));
    return 0;
}
