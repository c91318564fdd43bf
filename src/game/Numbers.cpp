#include "game/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace mofurin {

namespace {

constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;

qint32 saturate(double whole) {
  if (std::isnan(whole)) return 0;
  if (whole <= kInt32Min) return std::numeric_limits<qint32>::min();
  if (whole >= kInt32Max) return std::numeric_limits<qint32>::max();
  return static_cast<qint32>(whole);
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Copies the longest prefix of text (blanks removed) that forms a number in
// the form sign? digits? (. digits?)? (exponent sign? digits)?.
std::string numberPrefix(QStringView text) {
  std::string compact;
  for (QChar c : text) {
    if (!isBlank(c)) compact.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x7f');
  }
  std::size_t i = 0;
  std::string out;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) out.push_back(compact[i++]);
  bool mantissaDigits = false;
  while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) {
    out.push_back(compact[i++]);
    mantissaDigits = true;
  }
  if (i < compact.size() && compact[i] == '.') {
    out.push_back(compact[i++]);
    while (i < compact.size() && std::isdigit(static_cast<unsigned char>(compact[i]))) {
      out.push_back(compact[i++]);
      mantissaDigits = true;
    }
  }
  if (!mantissaDigits) return {};
  if (i < compact.size() && std::string("eEdD").find(compact[i]) != std::string::npos) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) exponent.push_back(compact[j++]);
    bool exponentDigits = false;
    while (j < compact.size() && std::isdigit(static_cast<unsigned char>(compact[j]))) {
      exponent.push_back(compact[j++]);
      exponentDigits = true;
    }
    if (exponentDigits) out += exponent;
  }
  return out;
}

}  // namespace

bool fitsInt32(double v) { return !std::isnan(v) && std::nearbyint(v) >= kInt32Min && std::nearbyint(v) <= kInt32Max; }

qint32 roundHalfEven(double v) { return saturate(std::nearbyint(v)); }

qint32 truncateToInt32(double v) { return saturate(std::trunc(v)); }

QString decimal(qint64 v) { return QString::number(v); }

QString signSpacedDecimal(qint64 v) { return v < 0 ? decimal(v) : u' ' + decimal(v); }

bool fitsWidth(qint64 value, int width) { return decimal(value).size() <= width; }

QString fitRight(const QString& text, int width) {
  if (text.size() >= width) return text.right(width);
  return QString(width - text.size(), u' ') + text;
}

double leadingNumber(QStringView text) {
  const std::string number = numberPrefix(text);
  if (number.empty()) return 0.0;
  const char* first = number.data();
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Either far too large or far too small: tell them apart by the exponent.
    const bool tiny = number.find("e-") != std::string::npos;
    const bool negative = number.front() == '-';
    if (tiny) return 0.0;
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  (void)end;
  return value;
}

QString escapeLineBreaks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (c == u'\\') {
      out += QStringLiteral("\\\\");
    } else if (c == u'\r') {
      out += QStringLiteral("\\r");
    } else if (c == u'\n') {
      out += QStringLiteral("\\n");
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace mofurin
