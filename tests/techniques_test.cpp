#include "game/Techniques.h"

#include <gtest/gtest.h>

#include <set>

#include "QtPrinters.h"
#include "game/GameState.h"
#include "game/Roster.h"
#include "persist/Cp932.h"

using namespace mofurin;

TEST(Techniques, CostsAreDividedFirstThenMultipliedThenTruncated) {
  EXPECT_EQ(LookupTechnique(11, 7).baseCost, 62);  // 7 / 5 * 45 = 62.99999999999999
  EXPECT_EQ(LookupTechnique(1, 1).baseCost, 2);    // 2.8000000000000003
  EXPECT_EQ(LookupTechnique(33, 1).baseCost, 10);
  EXPECT_EQ(LookupTechnique(43, 5).baseCost, 355);
}

TEST(Techniques, CostsAreCappedAt999999) {
  // 14085 / 5 * 355 is just above the cap; 14080 / 5 * 355 is just under it.
  EXPECT_EQ(LookupTechnique(43, 14085).baseCost, 999999);
  EXPECT_EQ(LookupTechnique(43, 14080).baseCost, 999680);
  EXPECT_EQ(LookupTechnique(43, 999999).baseCost, 999999);
  EXPECT_EQ(LookupTechnique(20, 2147483647).baseCost, 999999);
}

TEST(Techniques, NumbersOutsideTheTableGiveTheEmptyEntry) {
  for (int number : {0, 45, 999, -1}) {
    const TechniqueLookup t = LookupTechnique(number, 50);
    EXPECT_EQ(t.text, "---NO DATA") << number;
    EXPECT_EQ(t.baseCost, 0) << number;
  }
}

TEST(Techniques, LevelZeroCostsNothing) {
  for (int n = 1; n <= kTechniqueCount; ++n) EXPECT_EQ(LookupTechnique(n, 0).baseCost, 0) << n;
}

TEST(Techniques, TextsHoldTheirExactCharacters) {
  EXPECT_EQ(LookupTechnique(44, 1).text, QString::fromUtf16(u"A-Sファイヤ\uFF0Dボルト"));
  EXPECT_NE(LookupTechnique(44, 1).text, QString::fromUtf16(u"A-Sファイヤーボルト"));
  EXPECT_EQ(LookupTechnique(26, 1).text,
            QString::fromUtf16(u"L--キック\u3000アンド\u3000キック（蹴り\u3000そして\u3000蹴り）"));
  EXPECT_EQ(LookupTechnique(9, 1).text, QString::fromUtf16(u"HR-\uFF11\uFF10\uFF10頭突き"));
  EXPECT_EQ(LookupTechnique(31, 1).text, QString::fromUtf16(u"L--\uFF11\uFF16文キック"));
}

TEST(Techniques, EveryTextHasAValidCodeAndSurvivesTheFileCodePage) {
  std::set<QString> texts;
  int special = 0, repeat = 0;
  for (int n = 1; n <= kTechniqueCount; ++n) {
    const QString text = LookupTechnique(n, 1).text;
    EXPECT_TRUE(texts.insert(text).second) << "duplicate " << n;
    EXPECT_GE(techniquePart(text), 0) << n;
    special += techniqueClass(text) == TechniqueClass::Special;
    repeat += techniqueClass(text) == TechniqueClass::Repeat;
    EXPECT_EQ(decodeCp932(encodeCp932(text)), text) << n;
  }
  EXPECT_EQ(special, 7);
  EXPECT_EQ(repeat, 6);
  EXPECT_EQ(techniquePart(kNoTechnique), -1);
  EXPECT_EQ(techniqueName(LookupTechnique(11, 1).text), "ジャブ");
}

TEST(Roster, StartingDataOfJeanneAtLevelOne) {
  GameState g;
  g.levels[Side::Player] = 1;
  g.partHp(0, Side::Opponent) = 777;
  g.money = 100;
  ApplyStartingData(g, 6);
  const int hp[] = {100, 80, 58, 131}, attack[] = {25, 78, 62, 88}, defence[] = {0, 35, 42, 25};
  for (int p = 0; p < kPartCount; ++p) {
    EXPECT_EQ(g.partHp(p, Side::Player), hp[p]);
    EXPECT_EQ(g.partAttack(p, Side::Player), attack[p]);
    EXPECT_EQ(g.partDefence(p, Side::Player), defence[p]);
  }
  EXPECT_EQ(g.lifeForce, 20);
  EXPECT_EQ(g.lifeForceMax, 20);
  const char16_t* names[] = {u"H--頭突き", u"A--ストレートパンチ", u"L--足払い", u"B--体当たり"};
  const int costs[] = {3, 6, 4, 10};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(g.techniqueNames(k, Side::Player), QString::fromUtf16(names[k]));
    EXPECT_EQ(g.techniqueCosts(k, Side::Player), costs[k]);
  }
  for (int k = 4; k < kSlotCount; ++k) {
    EXPECT_EQ(g.techniqueNames(k, Side::Player), "---NO DATA");
    EXPECT_EQ(g.techniqueCosts(k, Side::Player), 0);
  }
  // Nothing else is touched.
  EXPECT_EQ(g.partHp(0, Side::Opponent), 777);
  EXPECT_EQ(g.money, 100);
  EXPECT_TRUE(g.fighterName[Side::Player].isEmpty());
}

TEST(Roster, TheRosterKeepsItsShape) {
  int starterNames = 0;
  for (int i = 0; i < kRosterSize; ++i) {
    const RosterEntry& e = rosterEntry(i);
    EXPECT_EQ(e.startDefence[0], i == 14 ? 35 : i == 15 ? 20 : 0) << i;
    EXPECT_GT(e.startLifeForce, 0) << i;
  }
  for (const StarterRecord& s : StarterCharacters()) {
    const QString name = RosterName(s.index);
    EXPECT_EQ(name.size(), 4);
    EXPECT_TRUE(s.descriptionLines[0].startsWith(name));
    EXPECT_EQ(s.description().count(newLine), 2);
    ++starterNames;
  }
  EXPECT_EQ(starterNames, 4);
  EXPECT_EQ(rosterEntry(14).startLifeForce, 2);
  EXPECT_EQ(rosterEntry(15).startLifeForce, 2);
  EXPECT_EQ(RosterName(13), "サイコ少女");
  EXPECT_TRUE(RosterName(16).isEmpty());
  EXPECT_TRUE(RosterName(-1).isEmpty());
  EXPECT_EQ(StarterCharacters()[2].descriptionLines[0],
            QString::fromUtf16(u"春ウサギ\uFF0D\uFF0D\uFF0D（ハード\u3000）さすらい兎"));
}

TEST(Roster, SpecialTechniquesWhereTheStartersExpectThem) {
  for (int index : {0, 2, 13}) {
    GameState g;
    g.levels[Side::Player] = 1;
    ApplyStartingData(g, index);
    EXPECT_TRUE(g.techniqueNames(0, Side::Player).startsWith("H-S")) << index;
  }
  GameState g;
  g.levels[Side::Player] = 1;
  ApplyStartingData(g, 5);
  EXPECT_TRUE(g.techniqueNames(1, Side::Player).startsWith("A-S"));
}

TEST(Roster, AnIndexOutsideTheRosterChangesNothing) {
  GameState g;
  ApplyStartingData(g, 16);
  ApplyStartingData(g, -1);
  EXPECT_EQ(g.lifeForceMax, 0);
  EXPECT_TRUE(g.techniqueNames(0, Side::Player).isEmpty());
}
