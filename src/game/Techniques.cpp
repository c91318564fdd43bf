#include "game/Techniques.h"

#include <cmath>

#include "game/Numbers.h"

namespace mofurin {

namespace {

constexpr TechniqueEntry kTable[kTechniqueCount] = {
    {1, u"H-S念力", 14},
    {2, u"H-S心理攻撃", 36},
    {3, u"H-Sサイコキネシス", 58},
    {4, u"H-Sポルターガイスト", 73},
    {5, u"H-S身体破壊光線", 101},
    {6, u"H-S原子力ビーム", 160},
    {7, u"H--頭突き", 18},
    {8, u"H--ヘッディング", 25},
    {9, u"HR-１００頭突き", 34},
    {10, u"A--ストレートパンチ", 30},
    {11, u"A--ジャブ", 45},
    {12, u"A--２連打パンチ", 70},
    {13, u"A--音速パンチ", 81},
    {14, u"A--張り手", 95},
    {15, u"A--ブロウ", 106},
    {16, u"A--アッパーカット", 119},
    {17, u"AR-往復ビンタ", 132},
    {18, u"A--必殺突き", 151},
    {19, u"A--コークスクリューパンチ", 199},
    {20, u"A--マッハパンチ", 270},
    {21, u"L--足払い", 20},
    {22, u"L--キック", 30},
    {23, u"L--まわし蹴り", 43},
    {24, u"L--飛び蹴り", 61},
    {25, u"L--２段蹴り", 73},
    {26, u"L--キック\u3000アンド\u3000キック（蹴り\u3000そして\u3000蹴り）", 85},
    {27, u"LR-連続蹴り", 99},
    {28, u"LR-百烈キック", 110},
    {29, u"L--ひざ蹴り", 131},
    {30, u"L--必殺かかと落とし", 172},
    {31, u"L--１６文キック", 199},
    {32, u"L--マッハキック", 255},
    {33, u"B--体当たり", 50},
    {34, u"BR-締めつける", 90},
    {35, u"B--突進", 117},
    {36, u"B--ヒップアタック", 143},
    {37, u"B--捨て身アタック", 215},
    {38, u"H--つっつく", 14},
    {39, u"HR-キツツキ突き", 46},
    {40, u"H--かみつき", 38},
    {41, u"A--ひっかき", 24},
    {42, u"A--引き裂き", 69},
    {43, u"A--死力パンチ", 355},
    {44, u"A-Sファイヤ\uFF0Dボルト", 45},
};

constexpr qint32 kMaxBaseCost = 999999;

}  // namespace

const TechniqueEntry* techniqueTable() { return kTable; }

TechniqueLookup LookupTechnique(int number, qint32 level) {
  if (number < 1 || number > kTechniqueCount) return {kNoTechnique, 0};
  const TechniqueEntry& entry = kTable[number - 1];
  // Divide first, then multiply, in doubles: level 7 with factor 45 comes to
  // 62.99999999999999 and so costs 62.
  const double cost = std::trunc(static_cast<double>(level) / 5.0 * entry.costFactor);
  const qint32 baseCost = cost > kMaxBaseCost ? kMaxBaseCost : truncateToInt32(cost);
  return {QString::fromUtf16(entry.text), baseCost};
}

int techniquePart(const QString& text) {
  if (text.isEmpty()) return -1;
  switch (text.front().unicode()) {
    case u'H': return 0;
    case u'A': return 1;
    case u'L': return 2;
    case u'B': return 3;
    default: return -1;
  }
}

TechniqueClass techniqueClass(const QString& text) {
  const QStringView code = QStringView(text).mid(1, 2);
  if (code == u"R-") return TechniqueClass::Repeat;
  if (code == u"-S") return TechniqueClass::Special;
  if (code == u"--") return TechniqueClass::Plain;
  return TechniqueClass::Unknown;
}

QString techniqueName(const QString& text) { return text.mid(3, 99); }

}  // namespace mofurin
