#include "game/Techniques.h"

#include <QCoreApplication>
#include <cmath>

#include "game/Numbers.h"

namespace mofurin {

namespace {

constexpr TechniqueEntry kTable[kTechniqueCount] = {
    {1, QT_TRANSLATE_NOOP("Technique", "H-S念力"), 14},
    {2, QT_TRANSLATE_NOOP("Technique", "H-S心理攻撃"), 36},
    {3, QT_TRANSLATE_NOOP("Technique", "H-Sサイコキネシス"), 58},
    {4, QT_TRANSLATE_NOOP("Technique", "H-Sポルターガイスト"), 73},
    {5, QT_TRANSLATE_NOOP("Technique", "H-S身体破壊光線"), 101},
    {6, QT_TRANSLATE_NOOP("Technique", "H-S原子力ビーム"), 160},
    {7, QT_TRANSLATE_NOOP("Technique", "H--頭突き"), 18},
    {8, QT_TRANSLATE_NOOP("Technique", "H--ヘッディング"), 25},
    {9, QT_TRANSLATE_NOOP("Technique", "HR-１００頭突き"), 34},
    {10, QT_TRANSLATE_NOOP("Technique", "A--ストレートパンチ"), 30},
    {11, QT_TRANSLATE_NOOP("Technique", "A--ジャブ"), 45},
    {12, QT_TRANSLATE_NOOP("Technique", "A--２連打パンチ"), 70},
    {13, QT_TRANSLATE_NOOP("Technique", "A--音速パンチ"), 81},
    {14, QT_TRANSLATE_NOOP("Technique", "A--張り手"), 95},
    {15, QT_TRANSLATE_NOOP("Technique", "A--ブロウ"), 106},
    {16, QT_TRANSLATE_NOOP("Technique", "A--アッパーカット"), 119},
    {17, QT_TRANSLATE_NOOP("Technique", "AR-往復ビンタ"), 132},
    {18, QT_TRANSLATE_NOOP("Technique", "A--必殺突き"), 151},
    {19, QT_TRANSLATE_NOOP("Technique", "A--コークスクリューパンチ"), 199},
    {20, QT_TRANSLATE_NOOP("Technique", "A--マッハパンチ"), 270},
    {21, QT_TRANSLATE_NOOP("Technique", "L--足払い"), 20},
    {22, QT_TRANSLATE_NOOP("Technique", "L--キック"), 30},
    {23, QT_TRANSLATE_NOOP("Technique", "L--まわし蹴り"), 43},
    {24, QT_TRANSLATE_NOOP("Technique", "L--飛び蹴り"), 61},
    {25, QT_TRANSLATE_NOOP("Technique", "L--２段蹴り"), 73},
    {26, QT_TRANSLATE_NOOP("Technique", "L--キック　アンド　キック（蹴り　そして　蹴り）"), 85},
    {27, QT_TRANSLATE_NOOP("Technique", "LR-連続蹴り"), 99},
    {28, QT_TRANSLATE_NOOP("Technique", "LR-百烈キック"), 110},
    {29, QT_TRANSLATE_NOOP("Technique", "L--ひざ蹴り"), 131},
    {30, QT_TRANSLATE_NOOP("Technique", "L--必殺かかと落とし"), 172},
    {31, QT_TRANSLATE_NOOP("Technique", "L--１６文キック"), 199},
    {32, QT_TRANSLATE_NOOP("Technique", "L--マッハキック"), 255},
    {33, QT_TRANSLATE_NOOP("Technique", "B--体当たり"), 50},
    {34, QT_TRANSLATE_NOOP("Technique", "BR-締めつける"), 90},
    {35, QT_TRANSLATE_NOOP("Technique", "B--突進"), 117},
    {36, QT_TRANSLATE_NOOP("Technique", "B--ヒップアタック"), 143},
    {37, QT_TRANSLATE_NOOP("Technique", "B--捨て身アタック"), 215},
    {38, QT_TRANSLATE_NOOP("Technique", "H--つっつく"), 14},
    {39, QT_TRANSLATE_NOOP("Technique", "HR-キツツキ突き"), 46},
    {40, QT_TRANSLATE_NOOP("Technique", "H--かみつき"), 38},
    {41, QT_TRANSLATE_NOOP("Technique", "A--ひっかき"), 24},
    {42, QT_TRANSLATE_NOOP("Technique", "A--引き裂き"), 69},
    {43, QT_TRANSLATE_NOOP("Technique", "A--死力パンチ"), 355},
    {44, QT_TRANSLATE_NOOP("Technique", "A-Sファイヤ－ボルト"), 45},
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
  return {QString::fromUtf8(entry.text), baseCost};
}

QString techniqueForDisplay(const QString& text) {
  return QCoreApplication::translate("Technique", text.toUtf8().constData());
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
