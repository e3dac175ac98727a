// The values the program keeps from one run to the next, one row per key:
// its name in the store, what kind of value it holds, its default and the
// values it may take. The window loads and saves through these rows and the
// command line reads its defaults through them, so both take a stored value
// the same way: a value that is missing, not a number or out of its row's
// range reads as the row's default, and the other keys keep theirs.
//
// To keep another value, add a row here and a name to Key, then read and
// write it where the window keeps it (mainwindow/StoredSettings.cpp).
#pragma once

#include "engine/Module1.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <string_view>

class SettingsSession;

enum class Key {
    MainLeft, MainTop, MainWidth, MainHeight, // the main window's outer place, in twips
    Background, Foreground, Indicator1, Indicator2, Indicator3, // ColorSet
    DrawWidth, DrawDelay, // DrawSet
    SortOrder, SortHeight, SortWidth, // SortSet
    Sound, // View > Sound
    Style, // View > Style
    Code,  // View > Code
};

struct StoredKey {
    enum Kind {
        Place,   // a Single; the window checks the place fits its screen
        Integer, // a 16-bit integer within low..high
        Boolean, // "-1" on, "0" off; any whole number but 0 is on
        Name,    // one of a list of names that the window knows; `text` the default
    };
    const char* name;
    Kind kind;
    int def;
    int low = -32768;
    int high = 32767;
    const char* text = nullptr;
};

inline constexpr auto StoredKeys = std::to_array<StoredKey>({
    {"MainLeft", StoredKey::Place, 1000},
    {"MainTop", StoredKey::Place, 1000},
    {"MainWidth", StoredKey::Place, 6500},
    {"MainHeight", StoredKey::Place, 6500},
    // Colour codes name the sixteen palette colours.
    {"Background", StoredKey::Integer, 0, 0, 15},
    {"Foreground", StoredKey::Integer, 15, 0, 15},
    {"Indicator1", StoredKey::Integer, 10, 0, 15},
    {"Indicator2", StoredKey::Integer, 9, 0, 15},
    {"Indicator3", StoredKey::Integer, 12, 0, 15},
    // A pen, a height or a width below 1 would leave nothing to draw.
    {"DrawWidth", StoredKey::Integer, 2, 1},
    {"DrawDelay", StoredKey::Integer, 0},
    // The order list's codes, 6 "Random".
    {"SortOrder", StoredKey::Integer, 6, 0, 8},
    {"SortHeight", StoredKey::Integer, 100, 1},
    {"SortWidth", StoredKey::Integer, 100, 1},
    {"Sound", StoredKey::Boolean, 0},
    // A picture style's name; one the window does not know reads as Bars.
    {"Style", StoredKey::Name, 0, 0, 0, "Bars"},
    {"Code", StoredKey::Boolean, 0},
});

constexpr const StoredKey& Row(Key key)
{
    return StoredKeys[static_cast<std::size_t>(key)];
}
static_assert(std::string_view(Row(Key::SortWidth).name) == "SortWidth" && std::string_view(Row(Key::Style).name) == "Style"
                  && std::string_view(Row(Key::Code).name) == "Code",
              "a row for every Key, in the same order");

// The section every key lives in.
QString StoredSection();

// One reading of the store: each value as its row takes it. Anything that
// keeps the store from being read (it is a folder, it is damaged) is kept as
// one line each in Problems(), for the caller to say where it says things.
class StoredReader {
public:
    // willSave: the caller saves later, so a store that cannot be written is
    // a problem too.
    explicit StoredReader(bool willSave);
    ~StoredReader();
    StoredReader(const StoredReader&) = delete;
    StoredReader& operator=(const StoredReader&) = delete;

    const QStringList& Problems() const { return problems_; }

    // The stored text, or the default's text when none is stored.
    QString Text(Key key) const;
    // An Integer row: the stored value when it is a number within the row's
    // range, otherwise the default.
    Integer Value(Key key) const;
    // A Boolean row: a whole number other than 0 is true; anything else,
    // missing or damaged, is false.
    bool Flag(Key key) const;

private:
    std::unique_ptr<SettingsSession> store_;
    QStringList problems_;
};
