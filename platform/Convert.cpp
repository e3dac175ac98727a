#include "platform/Convert.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <limits>

double RoundHalfEven(double x)
{
    const double r = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

std::int16_t CInt(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = RoundHalfEven(x);
    if (r <= std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (r >= std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = RoundHalfEven(x);
    if (r <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (r >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

double Int(double x)
{
    return std::floor(x);
}

QString NumberText(float value)
{
    const double x = value;
    if (x == 0 || !std::isfinite(x))
        return QStringLiteral("0");
    // Round to seven significant digits, then print without an exponent and
    // drop the zeros the fixed format pads with.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    char buf[80];
    if (exponent >= 7) {
        // Beyond seven digits a Single carries no more: round there.
        const double unit = std::pow(10.0, exponent - 6);
        std::snprintf(buf, sizeof buf, "%.0f", std::round(x / unit) * unit);
        return QString::fromLatin1(buf);
    }
    std::snprintf(buf, sizeof buf, "%.*f", 6 - exponent, x);
    QString text = QString::fromLatin1(buf);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        return QStringLiteral("0");
    return text;
}

std::optional<double> TextToNumber(const QString& text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> TextToInteger(const QString& text)
{
    const auto value = TextToNumber(text);
    if (!value)
        return std::nullopt;
    const double r = RoundHalfEven(*value);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<float> TextToSingle(const QString& text)
{
    const auto value = TextToNumber(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}
