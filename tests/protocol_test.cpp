// The link's messages, byte for byte as they go on the wire.

#include "net/Protocol.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "persist/Cp932.h"

using namespace mofurin;

namespace {

QByteArray wire(const QString& text) { return encodeCp932(text) + '\n'; }

}  // namespace

TEST(Protocol, SetupMessagesHaveTheirExactFields) {
  GameState g;
  g.levels[Side::Player] = 5;
  g.characterIndex[Side::Player] = 7;
  g.fighterName[Side::Player] = "ナミ";
  EXPECT_EQ(frame(setupMessage(0, g)), wire("    0          5        7ナミ"));
  EXPECT_EQ(frame(setupMessage(10, g)), QByteArray("   10   \n"));
  EXPECT_EQ(setupMessage(23, g), "   23   ");
  g.techniqueCosts(3, Side::Player) = 12;
  g.techniqueNames(3, Side::Player) = "A--ジャブ";
  EXPECT_EQ(setupMessage(5, g), "    5         12A--ジャブ");
  g.partHp(BodyPart::B, Side::Player) = -40;
  const QString parts = setupMessage(1, g);
  EXPECT_EQ(parts.size(), 7 + 108);
  EXPECT_EQ(parts.mid(7 + 81, 9), "      -40");
}

TEST(Protocol, SetupMessagesCopyTheFighterAsTheOpponent) {
  GameState me, other;
  me.levels[Side::Player] = 12;
  me.characterIndex[Side::Player] = 14;
  me.fighterName[Side::Player] = "なみへい";
  for (int p = 0; p < kPartCount; ++p) {
    me.partHp(p, Side::Player) = 100 + p;
    me.partAttack(p, Side::Player) = 20 + p;
    me.partDefence(p, Side::Player) = 5 + p;
  }
  for (int s = 0; s < kSlotCount; ++s) {
    me.techniqueNames(s, Side::Player) = QStringLiteral("H--技%1").arg(s);
    me.techniqueCosts(s, Side::Player) = 3 * s;
  }
  for (int n = 0; n <= 9; ++n) EXPECT_TRUE(storeSetup(readSetupHeader(setupMessage(n, me)), other)) << n;
  EXPECT_EQ(other.levels[Side::Opponent], 12);
  EXPECT_EQ(other.characterIndex[Side::Opponent], 14);
  EXPECT_EQ(other.fighterName[Side::Opponent], "なみへい");
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(other.partHp(p, Side::Opponent), 100 + p);
    EXPECT_EQ(other.partAttack(p, Side::Opponent), 20 + p);
    EXPECT_EQ(other.partDefence(p, Side::Opponent), 5 + p);
  }
  for (int s = 0; s < kSlotCount; ++s) {
    EXPECT_EQ(other.techniqueNames(s, Side::Opponent), QStringLiteral("H--技%1").arg(s));
    EXPECT_EQ(other.techniqueCosts(s, Side::Opponent), 3 * s);
  }
  EXPECT_EQ(readSetupHeader(setupMessage(10, me)).number, 10);
  EXPECT_FALSE(storeSetup(readSetupHeader(setupMessage(10, me)), other));
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

TEST(Protocol, BattleMessagesHaveTheirExactFields) {
  EXPECT_EQ(frame(choiceMessage(12, 3)), wire("選択    123"));
  EXPECT_EQ(choiceMessage(12, 3).size(), 9);
  const QString strike = strikeMessage(1, 150, 7, 0);
  EXPECT_EQ(strike, "攻撃     1       150  7   0");
  EXPECT_EQ(strike.size(), 25);
  EXPECT_EQ(battleMessage(tag::Ack, 4), "確認     4");
  const BattleMessage m = readBattleMessage(strike);
  EXPECT_EQ(m.tag, tag::Strike);
  EXPECT_EQ(m.round, 1);
  const std::optional<Strike> s = readStrike(m.body);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->damage, 150);
  EXPECT_EQ(s->missRoll, 7);
  EXPECT_EQ(s->part, 0);
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
