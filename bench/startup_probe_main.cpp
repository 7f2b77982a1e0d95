// The desktop program with the start-up probe, for tavrin_startup_driver.
// Usage: tavrin_startup_probe PROGRAM_FOLDER
#include <QApplication>
#include <cstdio>

#include "startup_probe.h"
#include "ui/desktop_program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrin_startup_probe PROGRAM_FOLDER\n");
        return 64;
    }
    return tavrin::ui::RunDesktopProgram(argv[1], [](QWidget& launcher) {
        new tavrin::ui::StartupProbe(launcher);  // owned by the launcher
    });
}
