// The values the program keeps from one run to the next: the fourteen of the
// main window's outer place and size, the five plot colours, pen width and
// delay, and the order, height and width of the data set; and beside them
// whether runs are heard.
#pragma once

#include "view/PlotStyle.h"

#include <QString>

#include <array>

// The window's outer left, top, width and height in twips, and View > Sound.
struct WindowPlace {
    float Left = 1000;
    float Top = 1000;
    float Width = 6500;
    float Height = 6500;
    // Kept under the key "Sound", "-1" on and "0" off; a missing or damaged
    // value (not a whole number) reads as off.
    bool Sound = false;
    // Kept under the key "Style" as the style's name; a missing or damaged
    // value reads as bars.
    PlotStyle Style = PlotStyle::Bars;
    // View > Code, kept under the key "Code" as Sound is; off when missing
    // or damaged.
    bool Code = false;
};

// The fourteen keys of place, colours, drawing and data set, in the order
// they are read and written.
extern const std::array<const char*, 14> SettingKeys;

// Reads every key (missing ones take their defaults) into ColorSet, DrawSet
// and SortSet and returns the window's place and the sound. A stored text that is not a
// number, does not fit its type, or lies outside its key's range (see
// engine/StoredKeys.h: a colour code outside 0..15, an order outside the
// list, a pen width, height or width below 1) or is a window size the window
// system cannot take, takes that key's default; the other keys keep what
// was stored.
// A store that cannot be read, or that a save will not be able to write, is
// reported on standard error; the program starts regardless.
WindowPlace LoadSettings();

// Writes every key from the window's place and the shared settings. Returns
// false, after saying why on standard error, when the store could not be
// written; the program goes on regardless.
bool SaveSettings(const WindowPlace& place);

