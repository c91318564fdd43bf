#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// The number rules the game applies again and again: how fractions become
// stored whole numbers, and how numbers are written into and read from texts.
namespace mofurin {

// Does v, rounded or truncated as the game would, fit a signed 32-bit value?
bool fitsInt32(double v);

// Nearest whole number, a tie going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Values beyond the 32-bit range saturate; NaN gives 0.
qint32 roundHalfEven(double v);

// The whole part, toward zero (-1.9 -> -1). Saturates like roundHalfEven.
qint32 truncateToInt32(double v);

// Plain decimal: digits with a leading "-" when negative, nothing else.
QString decimal(qint64 v);

// Decimal preceded by one space when not negative (" 7", "-7").
QString signSpacedDecimal(qint64 v);

// Fills text on the left with spaces to width characters; a longer text
// keeps only its last width characters.
QString fitRight(const QString& text, int width);
// Whether the plain decimal form of the value has at most width characters.
bool fitsWidth(qint64 value, int width);

// The lenient number reading: blanks anywhere are skipped, a sign, a decimal
// point and an exponent ("E" or "D") are understood, reading stops at the
// first character that cannot continue the number, and a text that begins
// with no number gives 0. An exponent too large gives an infinity.
double leadingNumber(QStringView text);

// One line for any text: a backslash, CR and LF become "\\", "\r" and "\n".
QString escapeLineBreaks(const QString& text);

}  // namespace mofurin
