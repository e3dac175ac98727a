// Positions and sizes of forms and controls are in twips (1440 to the inch);
// they reach the screen through its logical DPI (15 twips to a pixel at 96 dpi).
#pragma once

double TwipsPerPixelX();
double TwipsPerPixelY();
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(double pixels);
double PixelsToTwipsY(double pixels);
