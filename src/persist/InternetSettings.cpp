#include "persist/InternetSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace mofurin {

namespace {

const QString kMeetingPlace = QStringLiteral("internet/meeting-place");
const QString kRelay = QStringLiteral("internet/relay");

}  // namespace

InternetSettings LoadInternetSettings(const QString& path) {
  if (!QFileInfo(path).isFile()) return {};
  const QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) return {};
  return {file.value(kMeetingPlace).toString(), file.value(kRelay).toString()};
}

bool SaveInternetSettings(const InternetSettings& settings, const QString& path) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(kMeetingPlace, settings.meetingPlace);
  file.setValue(kRelay, settings.relay);
  file.sync();
  return file.status() == QSettings::NoError;
}

}  // namespace mofurin
