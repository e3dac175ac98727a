// The program's icon: the window icon, the About box's picture and the
// desktop menu entry's icon.
#pragma once

#include <QIcon>
#include <QPixmap>

QIcon ProgramIcon();
// The icon as a picture exactly pixels wide and high (a null picture for a
// size below 1), for the About box.
QPixmap ProgramIconPixmap(int pixels);
