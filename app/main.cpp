#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("CV-Tavrin");
    label.show();
    return QApplication::exec();
}
