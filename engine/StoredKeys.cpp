#include "engine/StoredKeys.h"

#include "platform/Convert.h"
#include "platform/Settings.h"

#include <cmath>
#include <optional>

QString StoredSection()
{
    return QStringLiteral("Settings");
}

StoredReader::StoredReader(bool willSave)
    : store_(std::make_unique<SettingsSession>(AppTitle()))
{
    const QString unreadable = store_->ReadProblem();
    if (!unreadable.isEmpty())
        problems_ << SettingsProblemText(QStringLiteral("cannot read the settings in"), store_->Path(), unreadable);
    if (!willSave)
        return;
    const QString unwritable = store_->WriteProblem();
    if (!unwritable.isEmpty())
        problems_ << SettingsProblemText(QStringLiteral("the settings will not be saved to"), store_->Path(), unwritable);
}

StoredReader::~StoredReader() = default;

QString StoredReader::Text(Key key) const
{
    const StoredKey& row = Row(key);
    const QString def = row.text ? QString::fromLatin1(row.text) : QString::number(row.def);
    return store_->Get(StoredSection(), QString::fromLatin1(row.name), def);
}

Integer StoredReader::Value(Key key) const
{
    const StoredKey& row = Row(key);
    const std::optional<std::int16_t> value = TextToInteger(Text(key));
    if (!value || *value < row.low || *value > row.high)
        return static_cast<Integer>(row.def);
    return *value;
}

bool StoredReader::Flag(Key key) const
{
    const std::optional<double> value = TextToNumber(Text(key));
    return value && *value != 0 && *value == std::floor(*value);
}
