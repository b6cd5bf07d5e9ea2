#include <QApplication>

#include "ui/app/CTarvexImportApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tarvex::InstallQtTranslations();
    tarvex::CTarvexImportApp theApp;
    if (!theApp.InitInstance(QApplication::arguments())) return theApp.ExitInstance();
    const int result = QApplication::exec();
    theApp.ExitInstance();
    return result;
}
