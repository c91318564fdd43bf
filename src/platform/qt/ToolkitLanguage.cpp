#include "platform/qt/ToolkitLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mofurin::platform {

namespace {

QTranslator* loaded = nullptr;

}  // namespace

bool loadToolkitTexts(const QString& language) {
  // Dates and month names in the file dialogs follow the game's language,
  // not the desktop's.
  QLocale::setDefault(language == u"en" ? QLocale(QLocale::English, QLocale::UnitedStates)
                                        : QLocale(QLocale::Japanese, QLocale::Japan));
  if (loaded) {
    QCoreApplication::removeTranslator(loaded);
    delete loaded;
    loaded = nullptr;
  }
  if (language == u"en") return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  loaded = translator;
  return QCoreApplication::installTranslator(translator);
}

}  // namespace mofurin::platform
