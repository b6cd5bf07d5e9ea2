// The yardstick for the start-up time: a Qt Widgets program that shows one window and nothing else,
// or with --dialog a window with a small dialog of text and buttons over it (what any program that
// opens with a dialog must do: load the fonts and lay out text). The dialog's title is "Bare Qt".
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    const bool dialog = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--dialog");
    window.setWindowTitle(dialog ? QStringLiteral("Bare Qt window") : QStringLiteral("Bare Qt"));
    window.showMaximized();
    if (dialog) {
        QTimer::singleShot(0, &window, [&window] {
            QDialog d(&window);
            d.setWindowTitle(QStringLiteral("Bare Qt"));
            auto* layout = new QVBoxLayout(&d);
            layout->addWidget(new QLabel(QStringLiteral("Ein neues Dokument erzeugen"), &d));
            layout->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d));
            d.exec();
        });
    }
    return QApplication::exec();
}
