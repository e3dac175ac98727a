#include "mainwindow/Main.h"

void Main()
{
}
