#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"

namespace mofurin::platform {

// Dialogs answered from a queue: a message box with no queued answer gets
// its first button, a file dialog with no queued answer is cancelled.
class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(std::function<void(const QString&)> trace = {}) : trace_(std::move(trace)) {}

  void queueAnswer(Answer a) { answers_.push_back(a); }
  void queueFile(std::optional<QString> path) { files_.push_back(std::move(path)); }
  Answer message(const Message& box) override;
  std::optional<QString> openFile(const QString& filter, const QString& folder) override;
  std::optional<QString> saveFile(const QString& filter) override;

  // Runs while a box is open, as the event loop runs under a real one (a
  // test lets time pass there).
  std::function<void()> whileOpen;
  // Runs while the next box or file dialog is open, once (the driver's
  // "hold" lets time pass there).
  std::function<void()> whileNextOpen;

  // Every box shown so far, oldest first.
  const std::vector<Message>& shown() const { return shown_; }

 private:
  std::optional<QString> file(const QString& kind, const QString& filter);
  void opened();

  std::function<void(const QString&)> trace_;
  std::deque<Answer> answers_;
  std::deque<std::optional<QString>> files_;
  std::vector<Message> shown_;
};

}  // namespace mofurin::platform
