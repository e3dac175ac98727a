#include "mainwindow/Main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ordivan"));
    QApplication::setApplicationName(QStringLiteral("Ordivan"));
    Main();
    return QApplication::exec();
}
