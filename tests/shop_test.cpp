#include "screens/Shop.h"

#include "QtPrinters.h"
#include "TestGame.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

class Shop : public ::testing::Test {
 protected:
  void SetUp() override {
    startWithRabbit(t);
    t.drive("click Form4.HPUP\nwait 16\n");
  }
  GameState& g() { return t.ctx.game; }
  Form5& shop() { return *t.screen<Form5>(); }
  qint32 hp(BodyPart p) { return g().partHp(p, Side::Player); }

  // Types the amount, lets the display refresh, pays with the answer given.
  QStringList pay(const QString& part, const QString& amount, const QString& answer = "Yes") {
    return t.drive("click Form5.BASS(" + part + ")\ntype Form5.UPG " + amount + "\nwait 16\nanswer " + answer +
                   "\nclick Form5.IIDASU\nwait 16\n");
  }

  TestGame t;
};

const QString kAsk = "[msgbox 回復|YesNo] 本当にいいっすね？ -> ";
const QString kBye = "[msgbox モフリンＧＰ|OK] またきて欲しいっす！ -> OK (default)";

}  // namespace

TEST_F(Shop, BuyingTenForTheHead) {
  const QStringList shown = t.drive("type Form5.UPG 10\nwait 16\nprint Form5.Label1(1)\nprint Form5.IIDASU\n");
  EXPECT_EQ(shown, (QStringList{"Form5.Label1(1) = HP=110+10=120\r\n100-40=60\\\r\n", "Form5.IIDASU = 40\\払う"}));
  EXPECT_EQ(pay("0", "10"), (QStringList{kAsk + "Yes", kBye}));
  EXPECT_EQ(hp(BodyPart::H), 120);
  EXPECT_EQ(g().money, 60);
  EXPECT_EQ(shop().GOLDOK.text(), "所持金：60\\");
}

TEST_F(Shop, SellingTenFromTheLegs) {
  pay("2", "-10");
  EXPECT_EQ(hp(BodyPart::L), 111);
  EXPECT_EQ(g().money, 170);
  EXPECT_EQ(shop().Label1[1].caption(), "HP=111+-10=101\r\n170--70=240\\\r\n");
}

TEST_F(Shop, RefusalsChangeNothing) {
  g().partHp(BodyPart::L, Side::Player) = 58;
  EXPECT_EQ(
      pay("2", "-58"),
      (QStringList{kAsk + "Yes",
                   "[msgbox モフリンＧＰ|OK] "
                   "これ以上減らすとこの部分は使えなくなるっす\r\nお金のために身を売らないで下さいっす -> OK (default)",
                   kBye}));
  EXPECT_EQ(pay("3", "999999"),
            (QStringList{kAsk + "Yes", "[msgbox モフリンＧＰ|OK] 金がたらんっす！！ -> OK (default)", kBye}));
  g().money = kValueCap;
  g().partHp(BodyPart::B, Side::Player) = kValueCap - 5;
  EXPECT_EQ(pay("3", "6")[1],
            "[msgbox モフリンＧＰ|OK] これ以上の増強は無理だ！！\r\n身の程を知るんだ -> OK (default)");
  EXPECT_EQ(hp(BodyPart::L), 58);
  EXPECT_EQ(hp(BodyPart::B), kValueCap - 5);
  EXPECT_EQ(g().money, kValueCap);
}

TEST_F(Shop, AnsweringNoOnlySaysGoodbye) {
  EXPECT_EQ(pay("0", "10", "No"), (QStringList{kAsk + "No", kBye}));
  EXPECT_EQ(hp(BodyPart::H), 110);
  EXPECT_EQ(g().money, 100);
}

TEST_F(Shop, TheAmountIsTheNumberTheTextBeginsWith) {
  for (auto [text, points] :
       {std::pair{"1.9", 1}, {"-1.9", -1}, {"abc", 0}, {"12abc", 12}, {" 1 2", 12}, {"000000", 0}, {"1e2", 100}}) {
    t.drive(QStringLiteral("type Form5.UPG %1\nwait 16\n").arg(text));
    EXPECT_EQ(shop().points, points) << text;
  }
  pay("0", "1.9");
  EXPECT_EQ(hp(BodyPart::H), 111);
  EXPECT_EQ(g().money, 96);
}

TEST_F(Shop, AmountsBeyondThirtyTwoBitsAreRefusedWithAMessage) {
  const qint32 money = g().money;
  for (const char* text : {"9e9", "4e8", "-4e8"}) {
    const QStringList out = pay("2", text);
    EXPECT_EQ(out.size(), 3) << text;
    EXPECT_TRUE(out[1].contains("そんな数はあつかえないっす！")) << text;
    EXPECT_EQ(shop().IIDASU.caption(), "---\\払う");
  }
  EXPECT_EQ(hp(BodyPart::L), 121);
  EXPECT_EQ(g().money, money);
}

TEST_F(Shop, SellingNearTheCapLosesWhatIsAboveIt) {
  g().money = kValueCap - 10;
  pay("2", "-10");
  EXPECT_EQ(g().money, kValueCap);
  EXPECT_EQ(hp(BodyPart::L), 111);
}

TEST_F(Shop, KeysInTheAmountBox) {
  t.drive("key Form5.UPG 38\nwait 16\n");
  EXPECT_TRUE(shop().BASS[3].selected());
  EXPECT_EQ(shop().pricePerPoint, 3);
  t.drive("key Form5.UPG 40\nkey Form5.UPG 40\nwait 16\n");
  EXPECT_TRUE(shop().BASS[1].selected());
  EXPECT_EQ(shop().selectedPart, 1);
  // Enter pays at once, with the amount just typed.
  const QStringList out = t.drive("type Form5.UPG 2\nanswer Yes\nkey Form5.UPG 13\n");
  EXPECT_EQ(out, (QStringList{kAsk + "Yes", kBye}));
  EXPECT_EQ(hp(BodyPart::A), 101);
  EXPECT_EQ(g().money, 90);
}

TEST_F(Shop, PayingNothingCostsNothing) {
  EXPECT_EQ(pay("0", "0"), (QStringList{kAsk + "Yes", kBye}));
  EXPECT_EQ(g().money, 100);
}

// Money that is exactly enough, with each part's own price.
TEST_F(Shop, ExactlyEnoughIsEnoughAndEachPartHasItsOwnPrice) {
  g().money = 5 * 20;  // the arms' price
  EXPECT_EQ(pay("1", "21")[1], "[msgbox モフリンＧＰ|OK] 金がたらんっす！！ -> OK (default)");
  pay("1", "20");
  EXPECT_EQ(g().money, 0);
  EXPECT_EQ(hp(BodyPart::A), 99 + 20);

  g().money = kValueCap;
  pay("3", "6");
  EXPECT_EQ(g().money, kValueCap - 3 * 6);  // the body's price
}

// The shop's limits hold for every body part alike, each at its own price:
// a part is sold down to one hit point but never to none, and raised to the
// cap but never past it.
TEST_F(Shop, EveryPartKeepsItsLimits) {
  const QString unusable =
      "[msgbox モフリンＧＰ|OK] "
      "これ以上減らすとこの部分は使えなくなるっす\r\nお金のために身を売らないで下さいっす -> OK (default)";
  const QString beyondCap = "[msgbox モフリンＧＰ|OK] これ以上の増強は無理だ！！\r\n身の程を知るんだ -> OK (default)";
  for (int p = 0; p < kPartCount; ++p) {
    SCOPED_TRACE(p);
    const QString part = QString::number(p);
    qint32& partHp = g().partHp(p, Side::Player);
    g().money = kValueCap;
    partHp = 10;
    EXPECT_EQ(pay(part, "-10")[1], unusable);
    pay(part, "-9");
    EXPECT_EQ(partHp, 1);
    partHp = kValueCap - 6;
    EXPECT_EQ(pay(part, "7")[1], beyondCap);
    pay(part, "6");
    EXPECT_EQ(partHp, kValueCap);
  }
}
