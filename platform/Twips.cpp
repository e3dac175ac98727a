#include "platform/Twips.h"

#include "platform/Convert.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
double logicalDpi(bool horizontal)
{
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return 96.0;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? dpi : 96.0;
}
} // namespace

double TwipsPerPixelX() { return 1440.0 / logicalDpi(true); }
double TwipsPerPixelY() { return 1440.0 / logicalDpi(false); }
int TwipsToPixelsX(double twips) { return static_cast<int>(RoundHalfEven(twips / TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(RoundHalfEven(twips / TwipsPerPixelY())); }
double PixelsToTwipsX(double pixels) { return pixels * TwipsPerPixelX(); }
double PixelsToTwipsY(double pixels) { return pixels * TwipsPerPixelY(); }
