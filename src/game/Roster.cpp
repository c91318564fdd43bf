#include "game/Roster.h"

#include <QCoreApplication>

#include "game/GameState.h"
#include "game/Techniques.h"

namespace mofurin {

namespace {

// clang-format off
const RosterEntry kRoster[kRosterSize] = {
    {QT_TRANSLATE_NOOP("Fighter", "ニャーポン"), {125, 113, 153, 182}, {46, 50, 62, 88}, {0, 9, 8, 6}, 18, {2, 11, 22, 33}},
    {QT_TRANSLATE_NOOP("Fighter", "ジューンハリー"), {100, 61, 39, 82}, {35, 113, 81, 99}, {0, 63, 73, 53}, 27, {10, 11, 41, 34}},
    {QT_TRANSLATE_NOOP("Fighter", "ウンディーネ"), {199, 120, 100, 130}, {109, 31, 28, 30}, {0, 4, 3, 1}, 40, {2, 3, 8, 9}},
    {QT_TRANSLATE_NOOP("Fighter", "春ウサギ"), {110, 99, 121, 171}, {30, 67, 82, 93}, {0, 14, 17, 11}, 25, {10, 21, 22, 34}},
    {QT_TRANSLATE_NOOP("Fighter", "パチンコ玉"), {1, 69, 79, 255}, {78, 81, 75, 100}, {0, 14, 12, 0}, 24, {41, 23, 33, 34}},
    {QT_TRANSLATE_NOOP("Fighter", "ムーンスター"), {51, 21, 19, 155}, {75, 98, 112, 138}, {0, 65, 69, 11}, 34, {8, 44, 22, 33}},
    {QT_TRANSLATE_NOOP("Fighter", "ジャンヌ"), {100, 80, 58, 131}, {25, 78, 62, 88}, {0, 35, 42, 25}, 20, {7, 10, 21, 33}},
    {QT_TRANSLATE_NOOP("Fighter", "ミニドラ"), {150, 55, 52, 98}, {35, 84, 73, 114}, {0, 58, 63, 43}, 15, {40, 41, 22, 33}},
    {QT_TRANSLATE_NOOP("Fighter", "チュン子"), {180, 73, 64, 111}, {78, 57, 69, 84}, {0, 29, 21, 25}, 30, {38, 3, 41, 33}},
    {QT_TRANSLATE_NOOP("Fighter", "マジカルポット"), {23, 43, 36, 198}, {35, 150, 112, 43}, {0, 12, 15, 11}, 20, {10, 17, 22, 27}},
    {QT_TRANSLATE_NOOP("Fighter", "植物マシーン"), {200, 41, 51, 151}, {90, 87, 52, 33}, {0, 1, 7, 11}, 22, {6, 10, 11, 17}},
    {QT_TRANSLATE_NOOP("Fighter", "凶悪殺人犯"), {1, 133, 166, 199}, {78, 71, 91, 151}, {0, 0, 0, 0}, 31, {12, 25, 41, 35}},
    {QT_TRANSLATE_NOOP("Fighter", "ダミー"), {100, 100, 100, 100}, {90, 90, 90, 90}, {0, 50, 50, 50}, 20, {5, 12, 23, 35}},
    {QT_TRANSLATE_NOOP("Fighter", "サイコ少女"), {255, 89, 68, 103}, {145, 84, 73, 103}, {0, 45, 50, 55}, 18, {5, 6, 39, 35}},
    {QT_TRANSLATE_NOOP("Fighter", "ナミ"), {135, 141, 102, 123}, {76, 95, 88, 115}, {35, 79, 56, 45}, 2, {40, 22, 39, 37}},
    {QT_TRANSLATE_NOOP("Fighter", "ハルコ"), {98, 77, 141, 83}, {88, 78, 133, 81}, {20, 44, 48, 45}, 2, {4, 14, 21, 22}},
};
// clang-format on

std::array<StarterRecord, 4> makeStarters() {
  return {{
      {1,
       6,
       QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "１．ジャンヌ")),
       {QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "ジャンヌ－－－（ノーマル）ドワーフ族")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "いつでも平和なドワーフ族のうちの女の子の一人。")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "手が器用で、強力なパンチを繰り出せる。"))},
       {192, 192, 255}},
      {2,
       7,
       QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "２．ミニドラ")),
       {QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "ミニドラ－－－（イージー）ドラゴン族")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "ほとんどの国で伝説の生き物とされてきた一族のまつえい。")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "皮膚は硬く、突進など体の攻撃は強力。"))},
       {255, 192, 192}},
      {3,
       3,
       QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "３．春ウサギ")),
       {QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "春ウサギ－－－（ハード　）さすらい兎")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "さすらうのが好きな好奇心旺盛の兎。")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "脚が異常発達しており、脚の過激な攻撃が得意"))},
       {255, 192, 255}},
      {4,
       8,
       QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "４．チュン子")),
       {QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "チュン子－－－（超ハード）小鳥一族")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "色が鮮やかと言われる平和ボケした小鳥の王子。")),
        QString::fromUtf8(QT_TRANSLATE_NOOP("Fighter", "頭を器用に使い、猛烈なつっつき攻撃を繰り出す。"))},
       {192, 255, 192}},
  }};
}

}  // namespace

QString StarterRecord::description() const {
  QStringList shown;
  for (const QString& line : descriptionLines) shown << fighterForDisplay(line);
  return shown.join(newLine);
}

QString fighterForDisplay(const QString& name) {
  return QCoreApplication::translate("Fighter", name.toUtf8().constData());
}

bool isRosterIndex(int index) { return index >= 0 && index < kRosterSize; }

const RosterEntry& rosterEntry(int index) { return kRoster[index]; }

QString RosterName(int index) { return isRosterIndex(index) ? QString::fromUtf8(kRoster[index].name) : QString(); }

QString RosterPicture(int index, Facing facing) {
  if (!isRosterIndex(index)) return {};
  return QStringLiteral("chara%1_%2.png")
      .arg(index, 2, 10, QChar(u'0'))
      .arg(facing == Facing::Front ? QStringLiteral("front") : QStringLiteral("back"));
}

const std::array<StarterRecord, 4>& StarterCharacters() {
  static const std::array<StarterRecord, 4> starters = makeStarters();
  return starters;
}

void ApplyStartingData(GameState& game, int index) {
  if (!isRosterIndex(index)) return;
  const RosterEntry& entry = kRoster[index];
  for (int p = 0; p < kPartCount; ++p) {
    game.partHp(p, Side::Player) = entry.startHp[p];
    game.partAttack(p, Side::Player) = entry.startAttack[p];
    game.partDefence(p, Side::Player) = entry.startDefence[p];
  }
  game.lifeForceMax = entry.startLifeForce;
  for (int k = 0; k < kSlotCount; ++k) {
    const int number = k < 4 ? entry.startTechniques[k] : 999;
    const TechniqueLookup technique = LookupTechnique(number, game.levels[Side::Player]);
    game.techniqueNames(k, Side::Player) = technique.text;
    game.techniqueCosts(k, Side::Player) = technique.baseCost;
  }
  game.lifeForce = game.lifeForceMax;
}

}  // namespace mofurin
