#include "mainwindow/Main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ordivan"));
    QApplication::setApplicationName(QStringLiteral("Ordivan"));
    Main();
    const int result = QApplication::exec();
    EndMain();
    return result;
}
