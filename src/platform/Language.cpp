#include "platform/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace mofurin::platform {

namespace {

Language current = Language::Japanese;

// The English texts, compiled into the program beside its other resources.
// They are read on the first choice of English: a Japanese game never needs
// them. Kept for the whole process once read.
QTranslator* english = nullptr;

QTranslator* englishTexts() {
  if (!english) {
    auto texts = std::make_unique<QTranslator>();
    if (texts->load(QStringLiteral(":/i18n/mofurin_en.qm"))) english = texts.release();
  }
  return english;
}

}  // namespace

QString languageCode(Language language) {
  return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<Language> languageFromCode(const QString& code) {
  if (code == u"ja") return Language::Japanese;
  if (code == u"en") return Language::English;
  return std::nullopt;
}

Language desktopLanguage() {
  return QLocale::system().language() == QLocale::English ? Language::English : Language::Japanese;
}

bool useLanguage(Language language) {
  if (!QCoreApplication::instance()) {
    // Without an application no translation is installed: Japanese it is.
    current = Language::Japanese;
    return language == Language::Japanese;
  }
  if (english) QCoreApplication::removeTranslator(english);
  if (language == Language::English) {
    QTranslator* texts = englishTexts();
    if (!texts || texts->isEmpty() || !QCoreApplication::installTranslator(texts)) {
      current = Language::Japanese;
      return false;
    }
  }
  current = language;
  return true;
}

Language currentLanguage() { return current; }

}  // namespace mofurin::platform
