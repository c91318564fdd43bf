#include "platform/InternetServers.h"

#include <QUrl>
#include <algorithm>
#include <cstdlib>

namespace mofurin::platform {

std::optional<MeetingPlaceAddress> readMeetingPlace(const QString& url) {
  const QUrl u(url.trimmed());
  if (!u.isValid() || u.scheme() != QStringLiteral("mqtt") || u.host().isEmpty()) return std::nullopt;
  const int port = u.port(1883);
  if (port <= 0 || port > 65535) return std::nullopt;
  return MeetingPlaceAddress{u.host(), static_cast<quint16>(port)};
}

std::optional<IceServers> readRelay(const QString& url) {
  const QUrl u(url.trimmed());
  if (!u.isValid() || u.scheme() != QStringLiteral("turn") || u.host().isEmpty()) return std::nullopt;
  const int port = u.port(3478);
  if (port <= 0 || port > 65535) return std::nullopt;
  IceServers servers;
  servers.stunHost = servers.turnHost = u.host();
  servers.stunPort = servers.turnPort = static_cast<quint16>(port);
  servers.turnUser = u.userName();
  servers.turnPassword = u.password();
  return servers;
}

namespace invitation {

int valueOf(QChar c) {
  if (c.unicode() > 127) return -1;
  const char up = static_cast<char>(c.toUpper().unicode());
  if (up == 'I' || up == 'L') return 1;
  if (up == 'O') return 0;
  for (int i = 0; i < 32; ++i) {
    if (kAlphabet[i] == up) return i;
  }
  return -1;
}

QString withoutDashesAndSpaces(const QString& typed) {
  // Full-width letters and digits, and the ideographic space, become their
  // plain forms; every kind of dash a keyboard or an input method gives
  // (the minus sign and the long sound mark among them) is a dash.
  QString kept;
  for (QChar c : typed.normalized(QString::NormalizationForm_KC)) {
    const bool dash = c.category() == QChar::Punctuation_Dash || c == u'\u2212' || c == u'\u30FC';
    if (!dash && !c.isSpace()) kept += c;
  }
  return kept;
}

bool looksLikeCode(const QString& typed) {
  // A character too many or too few, or one that is in no code, is still
  // a code to the player who typed it: it is told as a mistyped code.
  constexpr int kSlips = 2;
  const QString kept = withoutDashesAndSpaces(typed);
  return std::abs(kept.size() - (kCharacters + 1)) <= kSlips &&
         std::all_of(kept.begin(), kept.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

}  // namespace invitation

}  // namespace mofurin::platform
