#pragma once

#include <QString>
#include <optional>

namespace mofurin::platform {

// The language the game shows its texts in. Japanese is the game's own
// (every text in the code is Japanese); English is a translation laid over
// it. Only what is shown changes: files, records and the link's messages
// are the same in both.
enum class Language { Japanese, English };

QString languageCode(Language language);  // "ja" or "en"
std::optional<Language> languageFromCode(const QString& code);

// The language a first start takes: English when the desktop's language is
// English, Japanese otherwise.
Language desktopLanguage();

// Shows the game's texts in this language from now on, for the whole
// process (the translations are the application's). Needs the application
// object. False when the English texts could not be loaded; the game then
// stays Japanese.
bool useLanguage(Language language);
Language currentLanguage();

}  // namespace mofurin::platform
