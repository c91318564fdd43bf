#pragma once

#include <functional>

#include "platform/Dialogs.h"

class QFileDialog;
class QWidget;

namespace mofurin::platform {

// Real message boxes and file dialogs, with Japanese button texts.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QString startFolder) : startFolder_(std::move(startFolder)) {}
  Answer message(const Message& box) override;
  std::optional<QString> openFile(const QString& filter, const QString& folder) override;
  std::optional<QString> saveFile(const QString& filter) override;

  // "datﾌｧｲﾙ |*.dat" -> "datﾌｧｲﾙ  (*.dat)"
  static QString qtFilter(const QString& filter);

  // The game's window in front, which boxes and dialogs open over (null: the
  // desktop's active window).
  std::function<QWidget*()> gameWindow;

 private:
  QWidget* ownerWindow() const;
  static std::optional<QString> runFileDialog(QFileDialog& dialog);

  QString startFolder_;
};

}  // namespace mofurin::platform
