#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace mofurin::platform {

namespace {

// Boxes and file dialogs open centred over the game's window in front,
// also where the window system has made no window active.
QWidget* ownerWindow() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if ((*it)->isVisible() && !qobject_cast<QDialog*>(*it)) return *it;
  }
  return nullptr;
}

// Line breaks as Qt writes them, and 0x5C as the yen sign Japanese fonts draw.
QString displayText(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\\', u'\u00A5');
}

// A screen reader says what the box's icon means, as the picture does.
void nameIcon(QMessageBox& dialog, Icon icon) {
  auto* picture = dialog.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
  if (!picture) return;
  picture->setAccessibleName(icon == Icon::Question ? QCoreApplication::translate("Dialogs", "質問")
                                                    : QCoreApplication::translate("Dialogs", "注意"));
}

}  // namespace

Answer QtDialogs::message(const Message& box) {
  QMessageBox dialog(ownerWindow());
  dialog.setWindowTitle(box.title);
  dialog.setText(displayText(box.text));
  dialog.setTextFormat(Qt::PlainText);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setIcon(box.icon == Icon::Question      ? QMessageBox::Question
                 : box.icon == Icon::Exclamation ? QMessageBox::Warning
                                                 : QMessageBox::NoIcon);
  nameIcon(dialog, box.icon);
  struct Choice {
    QMessageBox::StandardButton button;
    QString label;
    Answer answer;
  };
  std::vector<Choice> choices;
  switch (box.buttons) {
    case Buttons::OK: choices = {{QMessageBox::Ok, QStringLiteral("OK"), Answer::OK}}; break;
    case Buttons::OKCancel:
      choices = {{QMessageBox::Ok, QStringLiteral("OK"), Answer::OK},
                 {QMessageBox::Cancel, QCoreApplication::translate("Dialogs", "キャンセル"), Answer::Cancel}};
      break;
    case Buttons::YesNo:
      choices = {{QMessageBox::Yes, QCoreApplication::translate("Dialogs", "はい(&Y)"), Answer::Yes},
                 {QMessageBox::No, QCoreApplication::translate("Dialogs", "いいえ(&N)"), Answer::No}};
      break;
  }
  QMessageBox::StandardButtons buttons;
  for (const Choice& c : choices) buttons |= c.button;
  dialog.setStandardButtons(buttons);
  for (const Choice& c : choices) dialog.button(c.button)->setText(c.label);
  dialog.setDefaultButton(choices.front().button);
  dialog.setEscapeButton(choices.back().button);
  const int pressed = dialog.exec();
  for (const Choice& c : choices) {
    if (pressed == c.button) return c.answer;
  }
  return choices.back().answer;
}

QString QtDialogs::qtFilter(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    entries << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' '));
  }
  return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtDialogs::openFile(const QString& filter, const QString& folder) {
  const QString path =
      QFileDialog::getOpenFileName(ownerWindow(), QCoreApplication::translate("Dialogs", "ファイルを開く"),
                                   folder.isEmpty() ? startFolder_ : folder, qtFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::saveFile(const QString& filter) {
  const QString path = QFileDialog::getSaveFileName(
      ownerWindow(), QCoreApplication::translate("Dialogs", "名前を付けて保存"), startFolder_, qtFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace mofurin::platform
