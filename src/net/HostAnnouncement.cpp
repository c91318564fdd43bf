#include "net/HostAnnouncement.h"

#include <QStringDecoder>
#include <QStringList>
#include <algorithm>

namespace mofurin {

namespace {

const QString kGame = QStringLiteral("モフリンＧＰ");
constexpr int kVersion = 1;

bool printable(const QString& text) {
  return std::none_of(text.begin(), text.end(), [](QChar c) {
    const auto category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           category == QChar::Other_NotAssigned || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
  });
}

}  // namespace

QByteArray buildAnnouncement(const HostAnnouncement& host) {
  // The name travels as shown; a control character would only be refused.
  QString name = host.name.left(kAnnouncedNameMax);
  for (QChar& c : name) {
    if (!printable(QString(c))) c = u'?';
  }
  return QStringLiteral("%1 %2 %3 %4 %5").arg(kGame).arg(kVersion).arg(host.port).arg(host.level).arg(name).toUtf8();
}

std::optional<HostAnnouncement> readAnnouncement(const QByteArray& datagram) {
  if (datagram.size() > kAnnouncementMaxBytes) return std::nullopt;
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(datagram);
  if (utf8.hasError()) return std::nullopt;
  // Game, version, port, level, then the name, which may hold spaces.
  const QStringList fields = text.split(u' ');
  if (fields.size() < 5 || fields[0] != kGame || fields[1] != QString::number(kVersion)) return std::nullopt;
  bool portOk = false, levelOk = false;
  const uint port = fields[2].toUInt(&portOk);
  const qint32 level = fields[3].toInt(&levelOk);
  const QString name = fields.mid(4).join(u' ');
  // The numbers are written plainly: no sign, no leading zero.
  const auto plain = [](const QString& n) { return !n.isEmpty() && n[0] >= u'1' && n[0] <= u'9'; };
  if (!portOk || !plain(fields[2]) || port > 65535 || !levelOk || !plain(fields[3])) return std::nullopt;
  if (name.trimmed().isEmpty() || name.size() > kAnnouncedNameMax || !printable(name)) return std::nullopt;
  return HostAnnouncement{static_cast<quint16>(port), level, name};
}

QByteArray buildQuestion() { return QStringLiteral("%1 %2 ?").arg(kGame).arg(kVersion).toUtf8(); }

bool isQuestion(const QByteArray& datagram) { return datagram == buildQuestion(); }

HostAnnouncer::HostAnnouncer(platform::Form& owner, platform::Platform& platform, const LinkState& link,
                             const GameState& game)
    : platform_(platform), link_(link), game_(game), timer_(owner, QStringLiteral("AnnounceTimer"), kSeldomMs, false) {
  timer_.onTimer = [this] { announce(); };
}

void HostAnnouncer::start() {
  if (!socket_) {
    socket_ = platform_.network().createDatagramSocket();
    socket_->onDatagram = [this] { answerQuestions(); };
    timer_.setInterval(socket_->bind(link_.port) ? kSeldomMs : kUnaskedMs);
  }
  timer_.start();
  announce();
}

void HostAnnouncer::stop() {
  timer_.stop();
  socket_.reset();
}

void HostAnnouncer::announce() {
  if (!socket_) return;
  const GameState& g = game_;
  const HostAnnouncement me{link_.port, std::max(g.levels[Side::Player], 1), g.fighterName[Side::Player]};
  socket_->broadcast(buildAnnouncement(me), link_.port);
  lastAnnounced_ = platform_.clock().now();
}

// What else arrives on the port (other hosts' announcements, this one's own)
// is passed over.
void HostAnnouncer::answerQuestions() {
  bool asked = false;
  for (const platform::DatagramSocket::Datagram& d : socket_->receive()) asked |= isQuestion(d.data);
  if (asked && platform_.clock().now() - lastAnnounced_ >= kAnswerGapMs) announce();
}

}  // namespace mofurin
