#include "mainwindow/StoredSettings.h"

#include "engine/Module1.h"
#include "platform/Convert.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <cmath>
#include <optional>

const std::array<const char*, 14> SettingKeys = {
    "MainLeft",   "MainTop",    "MainWidth",  "MainHeight", "Background", "Foreground", "Indicator1",
    "Indicator2", "Indicator3", "DrawWidth",  "DrawDelay",  "SortOrder",  "SortHeight", "SortWidth",
};

namespace {

const QString kSection = QStringLiteral("Settings");

QString Read(int row, int def)
{
    return GetSetting(AppTitle(), kSection, QString::fromLatin1(SettingKeys[row]), QString::number(def));
}

// A window coordinate in twips; one that would not fit a window-system
// coordinate once turned into pixels takes the default.
float ReadPlace(int row, int def)
{
    const std::optional<float> value = TextToSingle(Read(row, def));
    constexpr double kMaxPixels = 16777215.0; // the largest widget size Qt takes
    if (!value || !std::isfinite(*value) || std::fabs(*value) / TwipsPerPixelX() > kMaxPixels
        || std::fabs(*value) / TwipsPerPixelY() > kMaxPixels)
        return static_cast<float>(def);
    return *value;
}

Integer ReadInteger(int row, int def, int low = -32768, int high = 32767)
{
    const std::optional<std::int16_t> value = TextToInteger(Read(row, def));
    if (!value || *value < low || *value > high)
        return static_cast<Integer>(def);
    return *value;
}

bool Write(int row, const QString& text)
{
    return SaveSetting(AppTitle(), kSection, QString::fromLatin1(SettingKeys[row]), text);
}

} // namespace

WindowPlace LoadSettings()
{
    WindowPlace place;
    place.Left = ReadPlace(0, 1000);
    place.Top = ReadPlace(1, 1000);
    place.Width = ReadPlace(2, 6500);
    place.Height = ReadPlace(3, 6500);
    ColorSet[0] = ReadInteger(4, 0, 0, 15);
    ColorSet[1] = ReadInteger(5, 15, 0, 15);
    ColorSet[2] = ReadInteger(6, 10, 0, 15);
    ColorSet[3] = ReadInteger(7, 9, 0, 15);
    ColorSet[4] = ReadInteger(8, 12, 0, 15);
    DrawSet[0] = ReadInteger(9, 2, 1);
    DrawSet[1] = ReadInteger(10, 0);
    SortSet[0] = ReadInteger(11, 6);
    SortSet[1] = ReadInteger(12, 100, 1);
    SortSet[2] = ReadInteger(13, 100, 1);
    return place;
}

bool SaveSettings(const WindowPlace& place)
{
    bool ok = true;
    const float places[4] = {place.Left, place.Top, place.Width, place.Height};
    for (int row = 0; row < 4; ++row)
        ok = Write(row, NumberText(places[row])) && ok;
    const Integer values[10] = {ColorSet[0], ColorSet[1], ColorSet[2], ColorSet[3], ColorSet[4],
                                DrawSet[0],  DrawSet[1],  SortSet[0],  SortSet[1],  SortSet[2]};
    for (int row = 4; row < 14; ++row)
        ok = Write(row, QString::number(values[row - 4])) && ok;
    return ok;
}

bool LoadSoundSetting()
{
    const QString text = GetSetting(AppTitle(), kSection, QStringLiteral("Sound"), QStringLiteral("0"));
    // As the program's Booleans: any whole number but 0 is true.
    const std::optional<double> value = TextToNumber(text);
    return value && *value != 0 && *value == std::floor(*value);
}

bool SaveSoundSetting(bool on)
{
    return SaveSetting(AppTitle(), kSection, QStringLiteral("Sound"), on ? QStringLiteral("-1") : QStringLiteral("0"));
}
