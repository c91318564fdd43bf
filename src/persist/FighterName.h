#pragma once

#include <QString>

namespace mofurin {

// The longest name a player may give a fighter.
constexpr int kNameLength = 14;

// A fighter name the game's files cannot keep: the reason, or empty.
QString fighterNameProblem(const QString& name);

// A name the game takes for a fighter from elsewhere (the other machine):
// not empty, not only blanks, no longer than a typed one, and one the
// files can keep.
bool acceptableFighterName(const QString& name);

}  // namespace mofurin
