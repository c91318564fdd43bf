#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

namespace mofurin::platform {

namespace {

// The window the desktop has made active, or else the last one shown.
QWidget* desktopsWindow() {
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

// A box is at least as wide as its title, which the desktop would cut
// short otherwise; the title bar's own buttons take about another 120 pixels.
void fitTitle(QMessageBox& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  const int width = QFontMetrics(QApplication::font()).horizontalAdvance(dialog.windowTitle()) + 120;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

// The file dialog's dates in the game's language: the toolkit writes them
// in the desktop's.
class DatesInGameLanguage : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (files && index.column() == kDateColumn && role == Qt::DisplayRole) {
      return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }
    return QIdentityProxyModel::data(index, role);
  }

 private:
  static constexpr int kDateColumn = 3;
};

}  // namespace

// Boxes and file dialogs open centred over the game's window in front,
// also where the window system has made no window active.
QWidget* QtDialogs::ownerWindow() const {
  if (gameWindow) {
    if (QWidget* front = gameWindow()) return front;
  }
  return desktopsWindow();
}

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
  fitTitle(dialog);
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

// A file dialog that shows the name, size, type and date of every file
// whole, with the folder's own name taking what room is left.
std::optional<QString> QtDialogs::runFileDialog(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.setProxyModel(new DatesInGameLanguage(&dialog));
  dialog.resize(820, 480);
  if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::openFile(const QString& filter, const QString& folder) {
  QFileDialog dialog(ownerWindow(), QCoreApplication::translate("Dialogs", "ファイルを開く"),
                     folder.isEmpty() ? startFolder_ : folder, qtFilter(filter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return runFileDialog(dialog);
}

std::optional<QString> QtDialogs::saveFile(const QString& filter) {
  QFileDialog dialog(ownerWindow(), QCoreApplication::translate("Dialogs", "名前を付けて保存"), startFolder_,
                     qtFilter(filter));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  return runFileDialog(dialog);
}

}  // namespace mofurin::platform
