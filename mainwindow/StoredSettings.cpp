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
const QString kSoundKey = QStringLiteral("Sound");
const QString kStyleKey = QStringLiteral("Style");

class Reader {
public:
    Reader()
    {
        // Said once at start, so that a user whose settings are lost knows why.
        const QString unreadable = store_.ReadProblem();
        if (!unreadable.isEmpty())
            ReportSettingsProblem(QStringLiteral("cannot read the settings in"), store_.Path(), unreadable);
        const QString unwritable = store_.WriteProblem();
        if (!unwritable.isEmpty())
            ReportSettingsProblem(QStringLiteral("the settings will not be saved to"), store_.Path(), unwritable);
    }

    QString Read(int row, int def) const
    {
        return store_.Get(kSection, QString::fromLatin1(SettingKeys[row]), QString::number(def));
    }

    // A window coordinate in twips; one that would not fit a window-system
    // coordinate once turned into pixels takes the default.
    float ReadPlace(int row, int def) const
    {
        const std::optional<float> value = TextToSingle(Read(row, def));
        constexpr double kMaxPixels = 16777215.0; // the largest widget size Qt takes
        if (!value || !std::isfinite(*value) || std::fabs(*value) / TwipsPerPixelX() > kMaxPixels
            || std::fabs(*value) / TwipsPerPixelY() > kMaxPixels)
            return static_cast<float>(def);
        return *value;
    }

    Integer ReadInteger(int row, int def, int low = -32768, int high = 32767) const
    {
        const std::optional<std::int16_t> value = TextToInteger(Read(row, def));
        if (!value || *value < low || *value > high)
            return static_cast<Integer>(def);
        return *value;
    }

    // As the program's Booleans: any whole number but 0 is true; anything
    // else, missing or damaged, is false.
    bool ReadBoolean(const QString& key) const
    {
        const std::optional<double> value = TextToNumber(store_.Get(kSection, key, QStringLiteral("0")));
        return value && *value != 0 && *value == std::floor(*value);
    }

    PlotStyle ReadStyle() const
    {
        return StyleFromName(store_.Get(kSection, kStyleKey, StyleName(PlotStyle::Bars))).value_or(PlotStyle::Bars);
    }

private:
    SettingsSession store_{AppTitle()};
};

} // namespace

WindowPlace LoadSettings()
{
    const Reader store;
    WindowPlace place;
    place.Left = store.ReadPlace(0, 1000);
    place.Top = store.ReadPlace(1, 1000);
    place.Width = store.ReadPlace(2, 6500);
    place.Height = store.ReadPlace(3, 6500);
    ColorSet[0] = store.ReadInteger(4, 0, 0, 15);
    ColorSet[1] = store.ReadInteger(5, 15, 0, 15);
    ColorSet[2] = store.ReadInteger(6, 10, 0, 15);
    ColorSet[3] = store.ReadInteger(7, 9, 0, 15);
    ColorSet[4] = store.ReadInteger(8, 12, 0, 15);
    DrawSet[0] = store.ReadInteger(9, 2, 1);
    DrawSet[1] = store.ReadInteger(10, 0);
    SortSet[0] = store.ReadInteger(11, 6);
    SortSet[1] = store.ReadInteger(12, 100, 1);
    SortSet[2] = store.ReadInteger(13, 100, 1);
    place.Sound = store.ReadBoolean(kSoundKey);
    place.Style = store.ReadStyle();
    return place;
}

bool SaveSettings(const WindowPlace& place)
{
    // Every key into one store, written by one save: the file is replaced
    // once, whole.
    SettingsSession store(AppTitle());
    auto write = [&store](int row, const QString& text) {
        store.Set(kSection, QString::fromLatin1(SettingKeys[row]), text);
    };
    const float places[4] = {place.Left, place.Top, place.Width, place.Height};
    for (int row = 0; row < 4; ++row)
        write(row, NumberText(places[row]));
    const Integer values[10] = {ColorSet[0], ColorSet[1], ColorSet[2], ColorSet[3], ColorSet[4],
                                DrawSet[0],  DrawSet[1],  SortSet[0],  SortSet[1],  SortSet[2]};
    for (int row = 4; row < 14; ++row)
        write(row, QString::number(values[row - 4]));
    store.Set(kSection, kSoundKey, place.Sound ? QStringLiteral("-1") : QStringLiteral("0"));
    store.Set(kSection, kStyleKey, StyleName(place.Style));
    return store.Save();
}
