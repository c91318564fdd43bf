// The link's messages, byte for byte as they go on the wire.

#include "net/Protocol.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <tuple>

#include "QtPrinters.h"
#include "persist/Cp932.h"

using namespace mofurin;

namespace {

QByteArray wire(const QString& text) { return encodeCp932(text) + '\n'; }

}  // namespace

// Every kind of message as it goes on the wire, and read back by the other
// side into what was written: a fighter of random values as wide as the
// fields allow, and each battle message.
TEST(Protocol, EveryKindOfMessageIsWrittenAndReadByItsLayout) {
  GameState g;
  g.levels[Side::Player] = 5;
  g.characterIndex[Side::Player] = 7;
  g.fighterName[Side::Player] = "ナミ";
  g.techniqueCosts(3, Side::Player) = 12;
  g.techniqueNames(3, Side::Player) = "A--ジャブ";
  const std::pair<QString, QString> exact[] = {
      {setupMessage(0, g), "    0          5        7ナミ"},
      {setupMessage(5, g), "    5         12A--ジャブ"},
      {setupMessage(10, g), "   10   "},
      {setupMessage(23, g), "   23   "},
      {choiceMessage(12, 3), "選択    123"},
      {strikeMessage(1, 150, 7, 0), "攻撃     1       150  7   0"},
      {battleMessage(tag::Ack, 4), "確認     4"},
      {battleMessage(tag::Say, 0, "やあ"), "発言     0やあ"},
  };
  for (const auto& [written, wanted] : exact) EXPECT_EQ(frame(written), wire(wanted));

  QRandomGenerator random(11);
  const auto value = [&] { return random.bounded(-99999999, 999999999); };
  for (int run = 0; run < 20; ++run) {
    GameState me, other;
    me.levels[Side::Player] = value();
    me.characterIndex[Side::Player] = value();
    me.fighterName[Side::Player] = QString(1 + random.bounded(14), u'名');
    for (int p = 0; p < kPartCount; ++p) {
      me.partHp(p, Side::Player) = value();
      me.partAttack(p, Side::Player) = value();
      me.partDefence(p, Side::Player) = value();
    }
    for (int s = 0; s < kSlotCount; ++s) {
      me.techniqueNames(s, Side::Player) = QStringLiteral("H--技%1").arg(value());
      me.techniqueCosts(s, Side::Player) = value();
    }
    for (int n = 0; n <= 9; ++n) EXPECT_TRUE(storeSetup(readSetupHeader(setupMessage(n, me)), other)) << n;
    EXPECT_EQ(other.levels[Side::Opponent], me.levels[Side::Player]);
    EXPECT_EQ(other.characterIndex[Side::Opponent], me.characterIndex[Side::Player]);
    EXPECT_EQ(other.fighterName[Side::Opponent], me.fighterName[Side::Player]);
    for (int p = 0; p < kPartCount; ++p) {
      EXPECT_EQ(other.partHp(p, Side::Opponent), me.partHp(p, Side::Player));
      EXPECT_EQ(other.partAttack(p, Side::Opponent), me.partAttack(p, Side::Player));
      EXPECT_EQ(other.partDefence(p, Side::Opponent), me.partDefence(p, Side::Player));
    }
    for (int s = 0; s < kSlotCount; ++s) {
      EXPECT_EQ(other.techniqueNames(s, Side::Opponent), me.techniqueNames(s, Side::Player));
      EXPECT_EQ(other.techniqueCosts(s, Side::Opponent), me.techniqueCosts(s, Side::Player));
    }
    for (int n : {10, 11, 23}) {
      EXPECT_EQ(readSetupHeader(setupMessage(n, me)).number, n);
      EXPECT_FALSE(storeSetup(readSetupHeader(setupMessage(n, me)), other));
    }

    const qint32 round = random.bounded(999999), slot = random.bounded(kSlotCount);
    const Strike strike{static_cast<qint32>(random.bounded(999999999)), random.bounded(10), random.bounded(kPartCount)};
    EXPECT_EQ(readChoice(readBattleMessage(choiceMessage(round, slot)).body), slot);
    const BattleMessage m = readBattleMessage(strikeMessage(round, strike.damage, strike.missRoll, strike.part));
    EXPECT_EQ(m.tag, tag::Strike);
    EXPECT_EQ(m.round, round);
    const std::optional<Strike> read = readStrike(m.body);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::tie(read->damage, read->missRoll, read->part),
              std::tie(strike.damage, strike.missRoll, strike.part));
    for (const QString& t : {tag::Ack, tag::Sync, tag::Resend, tag::Flee, tag::Say}) {
      const BattleMessage said =
          readBattleMessage(battleMessage(t, round, t == tag::Say ? me.fighterName[Side::Player] : ""));
      EXPECT_EQ(std::tie(said.tag, said.round), std::tie(t, round));
      EXPECT_EQ(said.body, t == tag::Say ? me.fighterName[Side::Player] : "");
    }
  }
}

TEST(Protocol, HostileSetupValuesStayInsideTheirLimits) {
  GameState g;
  const QString longName(5000, u'名');
  storeSetup(readSetupHeader("    0  99999999999999999-9999999999" + longName), g);
  EXPECT_EQ(g.levels[Side::Opponent], 999999999);  // the field's nine characters
  EXPECT_EQ(g.characterIndex[Side::Opponent], 99999999);
  EXPECT_EQ(g.fighterName[Side::Opponent].size(), kMaxReceivedName);
  // Every body part and every slot, not only the first: fields that are no
  // number are 0, overlong ones are read to their width, texts are cut.
  storeSetup(readSetupHeader("    1  " + QString(27 * kPartCount, u'x')), g);
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(g.partHp(p, Side::Opponent) | g.partAttack(p, Side::Opponent) | g.partDefence(p, Side::Opponent), 0) << p;
  }
  storeSetup(readSetupHeader("    1  " + QString(27 * kPartCount + 5, u'9')), g);
  for (int p = 0; p < kPartCount; ++p) EXPECT_EQ(g.partDefence(p, Side::Opponent), 999999999) << p;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    storeSetup(readSetupHeader(QStringLiteral("%1  ").arg(slot + 2, 5) + QString(9, u'x') + QString(1000, u'技')), g);
    EXPECT_EQ(g.techniqueCosts(slot, Side::Opponent), 0) << slot;
    EXPECT_EQ(g.techniqueNames(slot, Side::Opponent).size(), kMaxReceivedTechnique) << slot;
  }
  EXPECT_EQ(readSetupHeader("").number, 0);
  EXPECT_EQ(readSetupHeader("xx").body, "");
}

TEST(Protocol, StrikesAndChoicesOutsideTheirRangesAreRefused) {
  EXPECT_FALSE(readStrike("       150  7   4"));
  EXPECT_FALSE(readStrike("       150 -1   0"));
  EXPECT_FALSE(readStrike("       150 10   0"));
  const std::optional<Strike> huge = readStrike("9999999999  0   3");
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->damage, 2147483647);  // held at 32 bits
  EXPECT_EQ(readChoice("7"), 7);
  EXPECT_FALSE(readChoice("8"));
  EXPECT_FALSE(readChoice("-1"));
  EXPECT_EQ(readChoice(""), 0);  // an empty field reads as 0
}

TEST(Protocol, FramesSurviveAnySplitAndJoin) {
  const QByteArray two = frame(choiceMessage(1, 2)) + frame(strikeMessage(1, 9, 3, 1));
  FrameReader whole;
  whole.append(two);
  EXPECT_EQ(whole.next(), choiceMessage(1, 2));
  EXPECT_EQ(whole.next(), strikeMessage(1, 9, 3, 1));
  EXPECT_EQ(whole.next(), std::nullopt);

  FrameReader bytes;
  QStringList got;
  for (char b : two) {
    bytes.append(QByteArray(1, b));
    while (const auto m = bytes.next()) got << *m;
  }
  EXPECT_EQ(got, (QStringList{choiceMessage(1, 2), strikeMessage(1, 9, 3, 1)}));
}

TEST(Protocol, LineBreaksInTextsAndForeignBytesNeverBreakTheFraming) {
  EXPECT_EQ(frame(battleMessage(tag::Say, 0, "a\r\nb")), wire("発言     0a  b"));
  FrameReader r;
  r.append(QByteArray("\xff\xfe\n") + frame(battleMessage(tag::Ack, 2)));
  EXPECT_EQ(r.next(), battleMessage(tag::Ack, 2));  // the broken message is dropped
  EXPECT_FALSE(r.overflowed());
  r.append(QByteArray(kMaxFrameBytes + 1, 'a'));
  EXPECT_TRUE(r.overflowed());
  EXPECT_EQ(r.next(), std::nullopt);
}
