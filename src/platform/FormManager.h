#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/Form.h"

namespace mofurin::platform {

class Platform;

// Creates, shows and closes the screens. A closed screen is destroyed once
// the current event is over and created afresh the next time, so every
// creation starts from the game state.
class FormManager {
 public:
  using Factory = std::function<std::unique_ptr<Form>()>;

  explicit FormManager(Platform& platform) : platform_(platform) {}
  ~FormManager();

  void define(const QString& name, Factory factory);
  bool isDefined(const QString& name) const { return factories_.count(name) != 0; }

  Form* find(const QString& name) const;  // an open screen, shown or not
  template <class F>
  F* find() const {
    return static_cast<F*>(find(F::kName));
  }

  Form& load(const QString& name);  // created (Form_Load runs) but not shown
  Form& show(const QString& name);
  // A shown screen comes in front of the others, as one shown anew does.
  void toFront(Form& form);
  template <class F>
  F& load() {
    return static_cast<F&>(load(F::kName));
  }
  template <class F>
  F& show() {
    return static_cast<F&>(show(F::kName));
  }

  void hide(Form& form);
  void close(Form& form);  // Form_Unload runs; the window goes
  void close(const QString& name) {
    if (Form* f = find(name)) close(*f);
  }
  template <class F>
  void close() {
    if (F* f = find<F>()) close(*f);
  }

  // The end of the program: every window goes at once, no handler runs, and
  // nothing is shown any more.
  void endAll();
  bool ended() const { return ended_; }

  bool isShown(const QString& name) const;
  std::vector<Form*> openForms() const;

  // Called when the player closes the last window.
  std::function<void()> lastWindowClosed;
  // Asked before the player's close box ends the program; false keeps every
  // screen as it was.
  std::function<bool()> mayEnd;

 private:
  void collect();
  void requestClose(Form& form);
  bool closeEndsProgram(const Form& form) const;
  bool isOpen(const Form& form) const;

  Platform& platform_;
  std::map<QString, Factory> factories_;
  std::vector<std::unique_ptr<Form>> open_;
  std::vector<std::unique_ptr<Form>> closed_;
  bool collectPosted_ = false;
  bool ended_ = false;
};

}  // namespace mofurin::platform
