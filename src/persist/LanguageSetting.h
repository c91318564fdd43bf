#pragma once

#include <QString>

namespace mofurin {

// The language the player chose on the settings screen, kept in the same
// settings file as the sound ("ja" or "en"). Empty when none was chosen yet
// (a first start) or the file holds anything else.
QString LoadLanguageSetting(const QString& path);

// Keeps the choice beside the other settings. False when it failed.
bool SaveLanguageSetting(const QString& code, const QString& path);

}  // namespace mofurin
