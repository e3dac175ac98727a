// The program's icon: the window icon, the About box's picture and the
// desktop menu entry's icon.
#pragma once

#include <QIcon>
#include <QPixmap>

QIcon ProgramIcon();
QPixmap ProgramIconPixmap(int pixels);
