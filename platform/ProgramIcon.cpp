#include "platform/ProgramIcon.h"

QIcon ProgramIcon()
{
    return QIcon();
}

QPixmap ProgramIconPixmap(int pixels)
{
    return ProgramIcon().pixmap(pixels, pixels);
}
