#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Dalrek"));
    QApplication::setApplicationName(QStringLiteral("Tarvex-Import"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarvex-Import"));
    window.showMaximized();
    return app.exec();
}
