// The yardstick for the start-up time: a Qt Widgets program that shows one window and nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt"));
    window.showMaximized();
    return QApplication::exec();
}
