#include "platform/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace mofurin::platform {

namespace {

Language current = Language::Japanese;

// The English texts, compiled into the program beside its other resources.
QTranslator& englishTexts() {
  static QTranslator* translator = [] {
    auto* t = new QTranslator;
    if (!t->load(QStringLiteral(":/i18n/mofurin_en.qm"))) {
      delete t;
      return static_cast<QTranslator*>(nullptr);
    }
    return t;
  }();
  static QTranslator empty;
  return translator ? *translator : empty;
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
  QTranslator& english = englishTexts();
  QCoreApplication::removeTranslator(&english);
  if (language == Language::English) {
    if (english.isEmpty() || !QCoreApplication::installTranslator(&english)) {
      current = Language::Japanese;
      return false;
    }
  }
  current = language;
  return true;
}

Language currentLanguage() { return current; }

}  // namespace mofurin::platform
