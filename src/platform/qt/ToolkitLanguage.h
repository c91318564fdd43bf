#pragma once

#include <QString>

namespace mofurin::platform {

// The toolkit's own texts (the file dialogs, the text boxes' menu, the
// standard buttons) in the game's language, from the translations the
// system keeps for Qt. An English game loads none, and a change of language
// takes back the ones loaded before. False when they are missing: the
// toolkit then speaks English.
bool loadToolkitTexts(const QString& language);

}  // namespace mofurin::platform
