#include "persist/LanguageSetting.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace mofurin {

namespace {

const QString kLanguage = QStringLiteral("display/language");

}  // namespace

QString LoadLanguageSetting(const QString& path) {
  if (!QFileInfo(path).isFile()) return {};
  const QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) return {};
  const QString code = file.value(kLanguage).toString();
  return code == u"ja" || code == u"en" ? code : QString();
}

bool SaveLanguageSetting(const QString& code, const QString& path) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(kLanguage, code);
  file.sync();
  return file.status() == QSettings::NoError;
}

}  // namespace mofurin
