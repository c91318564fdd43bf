#pragma once

#include <QString>
#include <QtGlobal>

namespace mofurin {

// The class a technique's second and third code characters give. A save
// file's technique lines carry no checksum, so any pair can reach a bout:
// an unknown pair costs nothing and leaves the damage as it was.
enum class TechniqueClass { Plain, Repeat, Special, Unknown };

struct TechniqueEntry {
  int number;
  const char* text;  // UTF-8: three code characters, then the name
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

// How a technique's text is shown in the current language. The text itself
// (in a slot, a save file, a record, a link message) is always the Japanese:
// the bout reads it character by character. A text the game does not know
// (an old save's, a peer's) shows as it is.
QString techniqueForDisplay(const QString& text);

// What a slot's text says about its technique.
// 0..3 from the first letter (H, A, L, B), or -1 when it is no part's letter;
// each rule of the bout decides for itself what -1 means.
int techniquePart(const QString& text);
TechniqueClass techniqueClass(const QString& text);
QString techniqueName(const QString& text);  // from the fourth character, at most 99

}  // namespace mofurin
