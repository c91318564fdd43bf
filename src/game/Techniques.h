#pragma once

#include <QString>
#include <QtGlobal>

namespace mofurin {

enum class TechniqueClass { Plain, Repeat, Special };

struct TechniqueEntry {
  int number;
  const char16_t* text;  // three code characters, then the name
  int costFactor;
};

constexpr int kTechniqueCount = 44;

// The text of an empty slot, and of every number outside 1..44.
inline const QString kNoTechnique = QStringLiteral("---NO DATA");

// All 44 techniques in number order (number n is element n - 1).
const TechniqueEntry* techniqueTable();

struct TechniqueLookup {
  QString text;
  qint32 baseCost = 0;
};

// The technique's text and its cost priced for the given level.
TechniqueLookup LookupTechnique(int number, qint32 level);

// What a slot's text says about its technique.
int techniquePart(const QString& text);  // 0..3, or -1 when the first letter is no part
TechniqueClass techniqueClass(const QString& text);
QString techniqueName(const QString& text);  // from the fourth character, at most 99

}  // namespace mofurin
