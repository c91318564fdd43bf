// Invitation codes, the notes their key seals, and the stream sealed end to
// end: what two players share when they meet through servers they do not
// trust.

#include "platform/ice/Sealed.h"

#include <QDir>
#include <QFile>
#include <cstdio>

#include "QtPrinters.h"
#include "TestGame.h"
#include "net/Protocol.h"
#include "persist/Cp932.h"
#include "platform/InternetServers.h"
#include "platform/headless/MemoryNetwork.h"
#include "screens/BattleScreen.h"
#include "screens/Replays.h"

using namespace mofurin;
using namespace mofurin::test;
using platform::InvitationCode;
using platform::openNote;
using platform::sealNote;

// A code read aloud and typed again, in any case, with or without its
// dashes, with I, L and O for 1, 1 and 0, is the same code; most single
// slips of one character are caught by its check.
TEST(Invitation, ACodeReadsBackAsTypedAndMostSlipsAreCaught) {
  const InvitationCode code = InvitationCode::make();
  const QString text = code.text();
  EXPECT_EQ(text.size(), 17 + 4);  // 80 random bits, a check, four dashes
  EXPECT_NE(text, InvitationCode::make().text());
  QString sloppy = text.toLower().remove(u'-');
  sloppy.replace(u'1', u'l').replace(u'0', u'o');
  // As a Japanese input method types it: full-width letters and digits,
  // full-width or long dashes, ideographic spaces.
  QString wide;
  for (QChar c : text) wide += c == u'-' ? QChar(u'\u30FC') : QChar(c.unicode() + 0xFEE0);
  const QString wideDashes = QString(text).replace(u'-', QChar(u'\uFF0D')).toLower();
  const QString spaced = QStringLiteral("\u3000") + QString(text).replace(u'-', u'\u2010') + QStringLiteral(" \u3000");
  for (const QString& typed : {text, sloppy, QStringLiteral("  ") + text + QStringLiteral(" "), wide, wideDashes,
                               spaced, QString(text).replace(u'-', u'\u2212')}) {
    const auto read = InvitationCode::read(typed);
    ASSERT_TRUE(read) << typed.toStdString();
    EXPECT_EQ(read->text(), text);
    EXPECT_EQ(read->topic(), code.topic());
    EXPECT_TRUE(platform::invitation::looksLikeCode(typed)) << typed.toStdString();
  }
  EXPECT_FALSE(code.topic().contains(text.left(4)));
  int slips = 0, caught = 0;
  const QString plain = QString(text).remove(u'-');
  for (int at = 0; at < plain.size(); ++at) {
    for (QChar c : QStringLiteral("0123456789ABCDEFGHJKMNPQRSTVWXYZ")) {
      if (c == plain[at]) continue;
      QString slip = plain;
      slip[at] = c;
      ++slips;
      if (!InvitationCode::read(slip)) ++caught;
      EXPECT_TRUE(platform::invitation::looksLikeCode(slip));  // and is told as a mistyped code, not an address
    }
  }
  EXPECT_GT(caught, slips * 9 / 10);
  // A letter that is in no code, one left out or one too many.
  for (const QString& slip :
       {QString(text).replace(0, 1, u'U'), QString(text).replace(0, 1, u'À'), text.chopped(1), text + u'7'}) {
    EXPECT_FALSE(InvitationCode::read(slip));
    EXPECT_TRUE(platform::invitation::looksLikeCode(slip)) << slip.toStdString();
  }
  for (const char* notACode : {"", "127.0.0.1", "ABCD-EFGH", "DESKTOP-4K2M9QX", "fe80::1:2:3:4:5:6",
                               "my-friends-pc.lan", "192.168.100.200", "friends-pc.example.org"}) {
    EXPECT_FALSE(InvitationCode::read(notACode));
    EXPECT_FALSE(platform::invitation::looksLikeCode(notACode)) << notACode;
  }
}

// Only the code's key for the note's way opens a note, unchanged: an offer
// handed back as the answer opens nothing, nor does a note too large to be
// one. What the note says reads back as written, and nothing else reads.
TEST(Invitation, ANoteOpensOnlyWithItsCodeItsWayAndUnchanged) {
  using Way = InvitationCode::Way;
  const InvitationCode code = InvitationCode::make();
  const QByteArray sealed = sealNote(code, Way::Offer, "offer");
  EXPECT_FALSE(sealed.contains("offer"));
  EXPECT_EQ(openNote(code, Way::Offer, sealed), QByteArray("offer"));
  EXPECT_FALSE(openNote(code, Way::Answer, sealed));
  EXPECT_FALSE(openNote(InvitationCode::make(), Way::Offer, sealed));
  for (qsizetype at = 0; at < sealed.size(); ++at) {
    QByteArray changed = sealed;
    changed[at] = static_cast<char>(changed[at] ^ 1);
    EXPECT_FALSE(openNote(code, Way::Offer, changed)) << at;
  }
  EXPECT_FALSE(openNote(code, Way::Offer, sealed.left(10)));
  EXPECT_FALSE(openNote(code, Way::Answer, sealNote(code, Way::Answer, QByteArray(platform::kMostNoteBytes, 'x'))));

  const platform::Note note{platform::Note::Kind::Answer, "host key", "guest key",
                            "a=candidate:1 1 UDP 1 203.0.113.5 5 typ host"};
  const QByteArray written = platform::writeNote(note);
  const auto read = platform::readNote(written);
  ASSERT_TRUE(read);
  EXPECT_EQ(std::tie(read->kind, read->senderKey, read->offerKey, read->description),
            std::tie(note.kind, note.senderKey, note.offerKey, note.description));
  for (qsizetype cut = 0; cut < written.size(); ++cut) EXPECT_FALSE(platform::readNote(written.left(cut))) << cut;
  EXPECT_FALSE(platform::readNote(written + '\0'));
}

// The host's description is sealed for the guest whose offer it answers:
// another holder of the code, with a key of its own, cannot open it.
TEST(Invitation, TheHostsWayIsForItsGuestAlone) {
  const platform::KeyPair host, guest, third;
  const auto hostKeys = host.streamKeys(guest.publicKey(), true);
  const QByteArray sealed = platform::sealForGuest(*hostKeys, "the host's way");
  EXPECT_EQ(platform::openFromHost(*guest.streamKeys(host.publicKey(), false), sealed), QByteArray("the host's way"));
  EXPECT_FALSE(platform::openFromHost(*third.streamKeys(host.publicKey(), false), sealed));
}

// Two games fight a bout over sealed streams on the wire: nothing the wire
// carries shows a name or a move, and the bout plays as over the plain link.
// A byte changed on the way ends it as a lost link on both sides, and both
// records say so.
TEST(SealedStream, ABoutPlaysSealedAndAChangedByteEndsItOnBothSidesAlike) {
  for (const bool tamper : {false, true}) {
    SCOPED_TRACE(tamper ? "a byte changed" : "untouched");
    platform::VirtualClock clock;
    platform::MemoryWire wire(clock);
    wire.delivery = platform::MemoryWire::Delivery::SingleBytes;
    TestGame host(&clock), guest(&clock);
    host.platform().joinWire(wire, "10.0.0.1");
    guest.platform().joinWire(wire, "10.0.0.2");
    startWithRabbit(host);
    startWithRabbit(guest);
    sealLinks(host, guest);
    QByteArray carried;
    wire.sent = [&](const QString&, const QByteArray& bytes) { carried += bytes; };
    host.drive("click Form4.Check2\nclick Form4.Command2\n");
    guest.drive("type Form4.Text1 10.0.0.1\nclick Form4.Command2\n");
    ASSERT_TRUE(clock.advanceUntil([&] { return host.screen<Form1>() && guest.screen<Form1>(); }, 2000));
    int rounds = 0;
    for (int step = 0; step < 4000 && (host.screen<Form1>() || guest.screen<Form1>()); ++step) {
      for (TestGame* t : {&host, &guest}) {
        Form1* f = t->screen<Form1>();
        if (f && f->HV125.visible()) {
          f->WAZA.setListIndex(0);
          f->IIYO[0].click();
          if (t == &host && ++rounds == 2 && tamper) wire.sendTo("10.0.0.2", QByteArray(1, '\x5a'));
        }
      }
      clock.advance(50);
    }
    ASSERT_FALSE(host.screen<Form1>() || guest.screen<Form1>());
    EXPECT_GT(carried.size(), 0);
    if (!tamper)
      std::printf("a sealed bout of %d rounds carried %lld bytes\n", rounds, static_cast<long long>(carried.size()));
    EXPECT_FALSE(carried.contains(encodeCp932(QStringLiteral("春ウサギ"))));
    EXPECT_FALSE(carried.contains(encodeCp932(tag::Choice)));
    for (TestGame* t : {&host, &guest}) {
      const QStringList out = t->takeOutput();
      EXPECT_EQ(out.join('\n').contains(QStringLiteral("相手との通信が切れました。")), tamper);
      const QStringList kept = QDir(replayFolder(t->ctx)).entryList({QStringLiteral("*.replay")}, QDir::Files);
      ASSERT_EQ(kept.size(), 1);
      QFile record(QDir(replayFolder(t->ctx)).filePath(kept.first()));
      ASSERT_TRUE(record.open(QIODevice::ReadOnly));
      EXPECT_EQ(record.readAll().contains("\nlink-lost\nend unfinished\n"), tamper);
    }
    EXPECT_EQ(host.ctx.battle.battleResult != BattleResult::Running, !tamper);
  }
}

// An internet link tells each side that it is connected at its own moment:
// the other side's header and first words may come before this side hears
// it. They are kept.
TEST(SealedStream, WhatArrivesBeforeThisSideHearsItIsConnectedIsKept) {
  struct Pipe final : platform::Transport {
    QByteArray in, out;
    bool listen() override { return true; }
    void connect(const QString&) override {}
    void send(const QByteArray& bytes) override { out += bytes; }
    QByteArray receive() override { return std::exchange(in, {}); }
    void close() override {}
    State state() const override { return State::Connected; }
  };
  const platform::KeyPair one, other;
  auto firstPipe = std::make_unique<Pipe>(), laterPipe = std::make_unique<Pipe>();
  Pipe &first = *firstPipe, &later = *laterPipe;
  auto sending = platform::sealedStream(std::move(firstPipe), *one.streamKeys(other.publicKey(), true));
  auto hearing = platform::sealedStream(std::move(laterPipe), *other.streamKeys(one.publicKey(), false));
  sending->connect({});
  hearing->connect({});
  first.onConnected();
  sending->send("first words");
  later.in = std::exchange(first.out, {});
  later.onArrival();
  later.onConnected();
  EXPECT_EQ(hearing->receive(), QByteArray("first words"));
}
