// Technique learning: the offer, the slot it goes to, declining and drawing
// again.

#include "screens/Learning.h"

#include "QtPrinters.h"
#include "TestGame.h"
#include "game/Techniques.h"
#include "screens/Hub.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;

// A draw that offers technique `number` (0 offers the empty entry).
QString drawOf(int number) {
  const double r = number == 0 ? 0.0 : (number - 0.25) / kTechniqueCount;
  return QStringLiteral("random %1\n").arg(r, 0, 'g', 9);
}

// A new game's 春ウサギ at level 10 with four techniques and four empty
// slots, on the learning screen with the offer drawn by `draw`.
Form6& openLearning(TestGame& t, const QString& draw) {
  startWithRabbit(t);
  t.ctx.game.levels[P] = 10;
  t.drive(draw);
  t.ctx.forms.close<Form4>();
  Form6& f = t.ctx.forms.show<Form6>();
  t.takeOutput();
  return f;
}

QStringList slotNames(const GameState& g) {
  QStringList names;
  for (int k = 0; k < kSlotCount; ++k) names << g.techniqueNames(k, P);
  return names;
}

QList<qint32> slotCosts(const GameState& g) {
  QList<qint32> costs;
  for (int k = 0; k < kSlotCount; ++k) costs << g.techniqueCosts(k, P);
  return costs;
}

const QString kConfirm = QStringLiteral("[msgbox モフリンＧＰ|YesNo] 本当にこれでいいですか？ -> Yes");

}  // namespace

TEST(Learning, AnEmptySlotPickedTakesTheOfferInTheLowestEmptySlot) {
  TestGame t;
  // 音速パンチ: 162 at level 10, learned for 162 / 1.7 + 1 = 96.29.
  Form6& f = openLearning(t, drawOf(13));
  EXPECT_EQ(f.Label1[0].caption(), "今覚えた技\r\nA--音速パンチ\r\n技の消費量：96");
  const QStringList before = slotNames(t.ctx.game);
  EXPECT_EQ(f.WAZA.items(), before);
  EXPECT_EQ(f.WAZA.listIndex(), -1);
  ASSERT_EQ(before.mid(4), QStringList(4, kNoTechnique));
  const QStringList out = t.drive("select Form6.WAZA ---NO DATA\nanswer Yes\nclick Form6.Ok\n");
  EXPECT_EQ(out,
            (QStringList{kConfirm,
                         "[msgbox モフリンＧＰ|OK] 春ウサギ は\r\n---NO DATA を忘れ、\r\nA--音速パンチ を覚えた。 -> "
                         "OK (default)",
                         "[close Form6]", "[show Form7]"}));
  QStringList expected = before;
  expected[4] = "A--音速パンチ";
  EXPECT_EQ(slotNames(t.ctx.game), expected);
  EXPECT_EQ(t.ctx.game.techniqueCosts(4, P), 96);
}

TEST(Learning, AKnownOfferGoesBackIntoItsOwnSlotWhateverWasPicked) {
  TestGame t;
  // The rabbit starts with 足払い in slot 1: 40 at level 10, learned for 25.
  Form6& f = openLearning(t, drawOf(21));
  ASSERT_EQ(t.ctx.game.techniqueNames(1, P), "L--足払い");
  EXPECT_EQ(f.Label1[0].caption(), "今覚えた技\r\nL--足払い\r\n技の消費量：25覚え直すことになります");
  EXPECT_FALSE(f.WAZA.enabled());
  QList<qint32> expected = slotCosts(t.ctx.game);
  expected[1] = 25;
  // The list cannot be used; even a pick made behind its back changes nothing.
  f.WAZA.setListIndex(0);
  const QStringList out = t.drive("answer Yes\nclick Form6.Ok\n");
  EXPECT_EQ(out.mid(0, 2),
            (QStringList{kConfirm,
                         "[msgbox モフリンＧＰ|OK] 春ウサギ　は\r\nL--足払い をすでに覚えているので、\r\n"
                         "L--足払い をもう一回覚え直します。 -> OK (default)"}));
  EXPECT_EQ(slotCosts(t.ctx.game), expected);
  EXPECT_EQ(t.ctx.game.techniqueNames(0, P), "A--ストレートパンチ");
  EXPECT_TRUE(t.ctx.forms.isShown("Form7"));
}

TEST(Learning, ADrawOfZeroOffersTheEmptyEntryForOne) {
  {
    // With empty slots it counts as known: the first empty slot costs 1.
    TestGame t;
    Form6& f = openLearning(t, drawOf(0));
    EXPECT_EQ(f.Label1[0].caption(), "今覚えた技\r\n---NO DATA\r\n技の消費量：1覚え直すことになります");
    EXPECT_FALSE(f.WAZA.enabled());
    t.drive("answer Yes\nclick Form6.Ok\n");
    EXPECT_EQ(slotCosts(t.ctx.game).mid(4), (QList<qint32>{1, 0, 0, 0}));
  }
  {
    // With every slot taken it empties the slot picked.
    TestGame t;
    startWithRabbit(t);
    for (int k = 4; k < kSlotCount; ++k) t.ctx.game.techniqueNames(k, P) = QStringLiteral("B--技%1").arg(k);
    t.ctx.forms.close<Form4>();
    t.drive(drawOf(0));
    Form6& f = t.ctx.forms.show<Form6>();
    EXPECT_TRUE(f.WAZA.enabled());
    t.drive("select Form6.WAZA B--技6\nanswer Yes\nclick Form6.Ok\n");
    EXPECT_EQ(t.ctx.game.techniqueNames(6, P), kNoTechnique);
    EXPECT_EQ(t.ctx.game.techniqueCosts(6, P), 1);
    EXPECT_EQ(t.ctx.game.techniqueNames(5, P), "B--技5");
  }
}

TEST(Learning, LeavingWithoutAPickLearnsNothing) {
  for (const char* button : {"Ok", "No"}) {
    TestGame t;
    openLearning(t, drawOf(13));
    const QStringList names = slotNames(t.ctx.game);
    const QList<qint32> costs = slotCosts(t.ctx.game);
    const QString click = QStringLiteral("click Form6.%1\n").arg(button);
    const QString question = QString(button) == "Ok" ? "[msgbox モフリンＧＰ|YesNo] 本当にこれでいいですか？"
                                                     : "[msgbox モフリンＧＰ|YesNo] もう覚えません｡いいですか？";
    // No keeps the screen; Yes moves on without a word.
    EXPECT_EQ(t.drive("answer No\n" + click), QStringList{question + " -> No"});
    EXPECT_EQ(t.drive("answer Yes\n" + click), (QStringList{question + " -> Yes", "[close Form6]", "[show Form7]"}));
    EXPECT_EQ(slotNames(t.ctx.game), names);
    EXPECT_EQ(slotCosts(t.ctx.game), costs);
  }
}

TEST(Learning, TheCostUnderTheListFollowsThePick) {
  TestGame t;
  openLearning(t, drawOf(13));
  GameState& g = t.ctx.game;
  g.techniqueCosts(2, P) = 123;
  g.techniqueCosts(7, P) = 7;  // an empty slot's cost is never shown
  const QStringList out = t.drive(
      "wait 16\nprint Form6.Label1(2)\nselect Form6.WAZA L--キック\nwait 16\nprint Form6.Label1(2)\n"
      "select Form6.WAZA ---NO DATA\nwait 16\nprint Form6.Label1(2)\n");
  EXPECT_EQ(out, (QStringList{"Form6.Label1(2) = HP消費量--0", "Form6.Label1(2) = HP消費量--123",
                              "Form6.Label1(2) = HP消費量--0"}));
}

TEST(Learning, AnotherDrawReopensTheScreenWithANewOffer) {
  TestGame t;
  openLearning(t, drawOf(21));  // known: the list is disabled
  EXPECT_EQ(t.drive(drawOf(44) + "click Form6.Yui\n"), (QStringList{"[close Form6]", "[show Form6]"}));
  Form6& f = *t.screen<Form6>();
  EXPECT_EQ(f.offeredName, "A-Sファイヤ\uFF0Dボルト");
  EXPECT_EQ(f.offeredCost, 54);  // 90 / 1.7 + 1
  EXPECT_TRUE(f.WAZA.enabled());
  t.drive(drawOf(44) + "click Form6.Yui\n" + drawOf(7) + "click Form6.Yui\n");
  EXPECT_EQ(t.screen<Form6>()->offeredName, "H--頭突き");
}

// The boundaries of the slot choice: the last slot as the only empty one,
// and the last slot picked when none is empty.
TEST(Learning, TheLastSlotTakesTheOfferWhenItIsTheOnlyEmptyOneOrIsPicked) {
  for (bool full : {false, true}) {
    TestGame t;
    startWithRabbit(t);
    GameState& g = t.ctx.game;
    for (int k = 4; k < (full ? kSlotCount : kSlotCount - 1); ++k) {
      g.techniqueNames(k, P) = QStringLiteral("B--たいあたり%1").arg(k);
      g.techniqueCosts(k, P) = k;
    }
    g.levels[P] = 10;
    t.drive(drawOf(13));
    t.ctx.forms.close<Form4>();
    t.ctx.forms.show<Form6>();
    const QStringList before = slotNames(g);
    t.drive(QStringLiteral("select Form6.WAZA %1\nanswer Yes\nclick Form6.Ok\n").arg(before[kSlotCount - 1]));
    QStringList expected = before;
    expected[kSlotCount - 1] = "A--音速パンチ";
    EXPECT_EQ(slotNames(g), expected) << (full ? "full" : "one empty");
    EXPECT_EQ(g.techniqueCosts(kSlotCount - 1, P), 96);
  }
}
