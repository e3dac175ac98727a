#include "mainwindow/StoredSettings.h"

#include "engine/Module1.h"
#include "engine/StoredKeys.h"
#include "platform/Convert.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <cmath>
#include <optional>

namespace {

constexpr std::array<const char*, 14> FirstFourteenNames()
{
    std::array<const char*, 14> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = StoredKeys[i].name;
    return names;
}

// A window coordinate in twips; one that would not fit a window-system
// coordinate once turned into pixels takes the default.
float ReadPlace(const StoredReader& store, Key key)
{
    const std::optional<float> value = TextToSingle(store.Text(key));
    constexpr double kMaxPixels = 16777215.0; // the largest widget size Qt takes
    if (!value || !std::isfinite(*value) || std::fabs(*value) / TwipsPerPixelX() > kMaxPixels
        || std::fabs(*value) / TwipsPerPixelY() > kMaxPixels)
        return static_cast<float>(Row(key).def);
    return *value;
}

// The shared settings arrays in the order of their keys, Background to SortWidth.
std::array<Integer*, 10> Arrays()
{
    return {&ColorSet[0], &ColorSet[1], &ColorSet[2], &ColorSet[3], &ColorSet[4],
            &DrawSet[0],  &DrawSet[1],  &SortSet[0],  &SortSet[1],  &SortSet[2]};
}

QString Name(Key key)
{
    return QString::fromLatin1(Row(key).name);
}

} // namespace

const std::array<const char*, 14> SettingKeys = FirstFourteenNames();

WindowPlace LoadSettings()
{
    // Said once at start, so that a user whose settings are lost knows why.
    const StoredReader store(true);
    for (const QString& problem : store.Problems())
        ReportSettingsProblem(problem);
    WindowPlace place;
    place.Left = ReadPlace(store, Key::MainLeft);
    place.Top = ReadPlace(store, Key::MainTop);
    place.Width = ReadPlace(store, Key::MainWidth);
    place.Height = ReadPlace(store, Key::MainHeight);
    const std::array<Integer*, 10> arrays = Arrays();
    for (std::size_t i = 0; i < arrays.size(); ++i)
        *arrays[i] = store.Value(static_cast<Key>(static_cast<int>(Key::Background) + static_cast<int>(i)));
    place.Sound = store.Flag(Key::Sound);
    place.Code = store.Flag(Key::Code);
    place.Style = StyleFromName(store.Text(Key::Style)).value_or(PlotStyle::Bars);
    return place;
}

bool SaveSettings(const WindowPlace& place)
{
    // Every key into one store, written by one save: the file is replaced
    // once, whole.
    SettingsSession store(AppTitle());
    const float places[4] = {place.Left, place.Top, place.Width, place.Height};
    for (int row = 0; row < 4; ++row)
        store.Set(StoredSection(), QString::fromLatin1(StoredKeys[row].name), NumberText(places[row]));
    const std::array<Integer*, 10> arrays = Arrays();
    for (std::size_t i = 0; i < arrays.size(); ++i)
        store.Set(StoredSection(), QString::fromLatin1(StoredKeys[4 + i].name), QString::number(*arrays[i]));
    store.Set(StoredSection(), Name(Key::Sound), place.Sound ? QStringLiteral("-1") : QStringLiteral("0"));
    store.Set(StoredSection(), Name(Key::Style), StyleName(place.Style));
    store.Set(StoredSection(), Name(Key::Code), place.Code ? QStringLiteral("-1") : QStringLiteral("0"));
    return store.Save();
}
