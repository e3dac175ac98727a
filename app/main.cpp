#include "mainwindow/Main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ordivan"));
    QApplication::setApplicationName(QStringLiteral("Ordivan"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ordivan"));
    Main();
    const int result = QApplication::exec();
    EndMain();
    return result;
}
