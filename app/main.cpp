#include <QApplication>

#include "support/program_folder.h"
#include "ui/desktop_program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CV-Tavrin"));
    return tavrin::ui::RunDesktopProgram(tavrin::ProgramFolder());
}
