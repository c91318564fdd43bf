#pragma once

#include "platform/Dialogs.h"

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

 private:
  QString startFolder_;
};

}  // namespace mofurin::platform
