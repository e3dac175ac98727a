// Numeric conversions shared by the whole program: rounding to whole
// numbers, floor, and the plain decimal text in which numbers are shown and
// stored.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double x);
// 16-bit conversion by RoundHalfEven; values beyond the 16-bit range are
// held at its ends rather than wrapped.
std::int16_t CInt(double x);
// 32-bit conversion by RoundHalfEven, held at the ends of the 32-bit range.
std::int32_t CLng(double x);
// The largest whole number not above x.
double Int(double x);

// Plain decimal text of a Single: no exponent, no leading blank, no group
// separators, at most seven significant digits ("0.03", "0.1", "3.5", "0").
QString NumberText(float x);

// The decimal value of a text (blanks around it allowed); nothing when the
// text is not a finite number.
std::optional<double> TextToNumber(const QString& text);
// The text as a 16-bit integer (rounded half to even); nothing when it is not
// a number or does not fit.
std::optional<std::int16_t> TextToInteger(const QString& text);
// The text as a Single; nothing when it is not a number or does not fit.
std::optional<float> TextToSingle(const QString& text);
