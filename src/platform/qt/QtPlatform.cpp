#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>

#include "platform/Language.h"
#include "platform/qt/Accessibility.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/SdlMedia.h"
#include "platform/qt/ToolkitLanguage.h"

namespace mofurin::platform {

void applyGameLook() {
  // The menus belong to the screen's own window, not to a desktop's bar;
  // a desktop that has one is not even asked, which saves every start a
  // call over its message bus.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication::setStyle(gameStyle());
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(12);
  QApplication::setFont(font);
}

namespace {

// A window of `size` centred on `centre` (the middle of the screen when
// there is none), moved wholly onto the screen it is on.
QRect onScreen(QSize size, std::optional<QPoint> centre) {
  const QScreen* screen = centre ? QGuiApplication::screenAt(*centre) : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return QRect(QPoint(0, 0), size);
  const QRect area = screen->availableGeometry();
  QRect r(QPoint(0, 0), size.boundedTo(area.size()));
  r.moveCenter(centre.value_or(area.center()));
  r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
  r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
  return r;
}

// Centred on the game's window, wholly on the screen that window is on.
void placeInsideScreen(QWidget& window, const QWidget* over) {
  const QRect r = onScreen(window.size(), over ? std::optional(over->frameGeometry().center()) : std::nullopt);
  window.resize(r.size());
  window.move(r.topLeft());
}

// The game's place when it last ended, in the settings file.
const QString kPlaceX = QStringLiteral("window/centreX");
const QString kPlaceY = QStringLiteral("window/centreY");

std::optional<QPoint> loadPlace(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) return std::nullopt;
  const QSettings file(path, QSettings::IniFormat);
  bool xOk = false;
  bool yOk = false;
  const QPoint centre(file.value(kPlaceX).toString().toInt(&xOk), file.value(kPlaceY).toString().toInt(&yOk));
  if (!xOk || !yOk) return std::nullopt;
  return centre;
}

void savePlace(QPoint centre, const QString& path) {
  if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) return;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(kPlaceX, centre.x());
  file.setValue(kPlaceY, centre.y());
}

// The sound of a muted game: the desktop's bell and nothing else.
class DesktopBell : public SilentMedia {
 public:
  void beep() override { QApplication::beep(); }
};

}  // namespace

QtPlatform::QtPlatform(QtClock& clock, GameFolders folders, Dialogs* dialogs)
    : Platform(clock),
      folders_(std::move(folders)),
      media_(std::make_unique<SdlMedia>()),
      network_(lanNetwork(folders_.modules)) {
  if (!dialogs) {
    auto qtDialogs = std::make_unique<QtDialogs>(folders_.working);
    qtDialogs->gameWindow = [this] { return frontWindow(); };
    ownDialogs_ = std::move(qtDialogs);
    dialogs = ownDialogs_.get();
  }
  dialogs_ = dialogs;
  installAccessibility();
  setSettingsFile(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/mofurin/") + kSettingsFileName);
}

QtPlatform::~QtPlatform() {
  for (auto& [form, window] : windows_) delete window.data();
  delete help_.data();
}

void QtPlatform::mute() { media_ = std::make_unique<DesktopBell>(); }

QString QtPlatform::pictureFolder() const { return folders_.pictures(); }

void QtPlatform::showForm(Form& form) {
  QPointer<FormWindow>& window = windows_[&form];
  const bool created = !window;
  if (created) {
    window = new FormWindow(form, pictureFolder());
    place(*window);
  }
  window->show();
  window->raise();
  window->activateWindow();
  if (created) window->takeInitialFocus();
  std::erase_if(shownOrder_, [&](const QPointer<QWidget>& w) { return w.isNull() || w == window; });
  shownOrder_.emplace_back(window.data());
}

// Places are those of the windows' insides, which the desktop keeps where
// they are put whatever frame it draws around them.
void QtPlatform::place(QWidget& window) {
  window.adjustSize();
  std::optional<QPoint> centre;
  if (lastCentreFresh_) {
    centre = lastCentre_;
  } else if (const QWidget* front = frontGameWindow()) {
    centre = front->geometry().center();
  } else {
    centre = lastCentre_ ? lastCentre_ : loadPlace(settingsFile());
  }
  window.setGeometry(onScreen(window.size(), centre));
}

// The link window goes beside the game and is not where the game is.
void QtPlatform::rememberPlace(const Form& form, const QWidget& window) {
  if (!window.isVisible() || !form.keepsGameOpen()) return;
  lastCentre_ = window.geometry().center();
  lastCentreFresh_ = true;
  QTimer::singleShot(0, &lifetime_, [this] { lastCentreFresh_ = false; });
}

void QtPlatform::hideForm(Form& form) {
  auto it = windows_.find(&form);
  if (it == windows_.end() || !it->second) return;
  rememberPlace(form, *it->second);
  it->second->hide();
}

void QtPlatform::closeForm(Form& form) {
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  if (FormWindow* window = it->second) {
    rememberPlace(form, *window);
    window->detach();
    window->hide();
    window->deleteLater();
  }
  windows_.erase(it);
}

QWidget* QtPlatform::windowOf(const Form& form) const {
  auto it = windows_.find(&form);
  return it != windows_.end() ? it->second.data() : nullptr;
}

QWidget* QtPlatform::frontWindow() const {
  for (auto it = shownOrder_.rbegin(); it != shownOrder_.rend(); ++it) {
    if (*it && (*it)->isVisible()) return *it;
  }
  return nullptr;
}

QWidget* QtPlatform::frontGameWindow() const {
  for (auto it = shownOrder_.rbegin(); it != shownOrder_.rend(); ++it) {
    if (!*it || !(*it)->isVisible()) continue;
    const auto shown =
        std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.second.data() == it->data(); });
    if (shown == windows_.end() || shown->first->keepsGameOpen()) return *it;
  }
  return nullptr;
}

quint32 QtPlatform::clockSeed() { return seedBase_ ^ static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()); }

void QtPlatform::doShowHelp(const QString& topic) {
  if (!help_) {
    help_ = new QTextBrowser;
    help_->setWindowTitle(QCoreApplication::translate("Help", "モフリンＧＰ　へるぷ"));
    help_->resize(640, 560);
    help_->setOpenExternalLinks(false);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), help_);
    QObject::connect(close, &QShortcut::activated, help_, &QWidget::close);
    // The English game has its own page, with the same anchors.
    const QString page =
        currentLanguage() == Language::English ? QStringLiteral("help-en.html") : QStringLiteral("help.html");
    const QString path = QDir(folders_.assets).filePath(page);
    if (QFile::exists(path)) {
      help_->setSource(QUrl::fromLocalFile(path));
    } else {
      trace(QStringLiteral("[help page missing: %1]").arg(path));
      help_->setPlainText(QCoreApplication::translate("Help", "ヘルプファイル %1 が見つかりません。").arg(page));
    }
  }
  if (!topic.isEmpty()) help_->scrollToAnchor(topic);
  if (!help_->isVisible()) placeInsideScreen(*help_, frontWindow());
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void QtPlatform::languageChanged() {
  loadToolkitTexts(languageCode(currentLanguage()));
  QGuiApplication::setApplicationDisplayName(appTitle());
  // The help window opens again in the new language when next asked for.
  delete help_.data();
}

void QtPlatform::doQuit() {
  if (const QWidget* front = frontGameWindow()) lastCentre_ = front->geometry().center();
  if (lastCentre_) savePlace(*lastCentre_, settingsFile());
  if (help_) help_->close();
  QCoreApplication::exit(0);
}

void QtPlatform::copyToClipboard(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  Platform::copyToClipboard(text);
}

}  // namespace mofurin::platform
