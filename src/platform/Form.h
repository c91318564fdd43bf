#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Colour.h"
#include "platform/Widgets.h"

namespace mofurin::platform {

class Platform;
class Timer;

enum class FormProp { Caption, Size, Enabled, Colours };

class FormView {
 public:
  virtual ~FormView() = default;
  virtual void refresh(FormProp what) = 0;
  virtual void detach() = 0;
  virtual void focus(Widget& w) = 0;  // the keyboard goes to w
};

// A screen: one window with its widgets, timers and handlers. Widgets and
// timers are members of the screen class and register themselves here.
class Form {
 public:
  Form(Platform& platform, QString name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const QString& name() const { return name_; }
  Platform& platform() const { return platform_; }

  const QString& caption() const { return caption_; }
  void setCaption(const QString& text);
  int width() const { return width_; }  // the inside of the window, in twips
  int height() const { return height_; }
  void setSize(int widthTwips, int heightTwips);
  const std::optional<Colour>& backColor() const { return backColor_; }
  void setBackColor(std::optional<Colour> c);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  bool visible() const { return visible_; }
  void setVisibleState(bool on) { visible_ = on; }  // kept by the screen manager

  // The screen sees every key first, then the widget that has it.
  bool keyPreview() const { return keyPreview_; }
  void setKeyPreview(bool on) { keyPreview_ = on; }
  // Where in the help page F1 on this screen opens.
  const QString& helpTopic() const { return helpTopic_; }
  void setHelpTopic(const QString& topic) { helpTopic_ = topic; }

  // The widget that has the keyboard when the window opens (null: the window).
  Widget* initialFocus() const { return initialFocus_; }
  void setInitialFocus(Widget* w) { initialFocus_ = w; }
  // Gives the keyboard to w now, where the screen knows what the player will
  // type next (the technique list at every command phase).
  void focusOn(Widget& w);

  const std::vector<Widget*>& widgets() const { return widgets_; }
  const std::vector<Timer*>& timers() const { return timers_; }
  Widget* findWidget(const QString& name, int index) const;
  Timer* findTimer(const QString& name) const;

  // The button Enter presses when the focus is not on a button (null: none).
  Widget* defaultButton() const { return defaultButton_; }
  void setDefaultButton(Widget* button) { defaultButton_ = button; }
  // The button Esc presses, the one that closes the window (null: none).
  Widget* cancelButton() const { return cancelButton_; }
  void setCancelButton(Widget* button) { cancelButton_ = button; }

  // A key press, to the widget that has the focus (null: the screen itself).
  // Space and Enter press a focused button or menu item, Space toggles a
  // focused check box or option button, Enter otherwise presses the default
  // button and Esc the cancel button; the arrows move in a focused list or
  // scroll bar (Page Up, Page Down, Home and End too). True when the game took the key, so the
  // toolkit must not act on it as well.
  bool keyDown(Widget* target, int keyCode);

  virtual void Form_Load() {}
  // Sets every text the screen shows in the current language: called by the
  // screen when it is made, and again on each open screen when the player
  // changes the language (texts already in a log stay as they were).
  virtual void showTexts() {}
  virtual void Form_Unload() {}
  virtual void Form_KeyDown(int /*keyCode*/) {}
  // The program ends with this screen open: what must not be lost is kept
  // here (no box, no other screen; nothing runs afterwards).
  virtual void Form_End() {}

  // The player asks to close the window (its close box). Set by the screen
  // manager.
  std::function<void()> closeRequested;
  // Whether closing this screen shows another one, so that closing the last
  // window does not end the program.
  virtual bool closeShowsAnotherScreen() const { return false; }
  // A window that only goes beside another screen (the link window) never
  // keeps the game open by itself: closing the last other screen ends it.
  virtual bool keepsGameOpen() const { return true; }

  FormView* view() const { return view_; }
  void setView(FormView* view) { view_ = view; }

  void registerWidget(Widget* w) { widgets_.push_back(w); }
  void unregisterWidget(Widget* w);
  void registerTimer(Timer* t) { timers_.push_back(t); }
  void unregisterTimer(Timer* t);
  void stopTimers();

 protected:
  // Called by Form_KeyDown for a key the screen used up.
  void takeKey() { keyTaken_ = true; }

 private:
  void changed(FormProp what) const;
  bool pressByKey(Widget* target, int keyCode);
  static bool moveByKey(Widget& target, int keyCode);

  Platform& platform_;
  QString name_;
  QString caption_;
  int width_ = 6000;
  int height_ = 4500;
  std::optional<Colour> backColor_;
  bool enabled_ = true;
  bool visible_ = false;
  bool keyPreview_ = false;
  QString helpTopic_;
  Widget* initialFocus_ = nullptr;
  Widget* defaultButton_ = nullptr;
  Widget* cancelButton_ = nullptr;
  bool keyTaken_ = false;
  std::vector<Widget*> widgets_;
  std::vector<Timer*> timers_;
  FormView* view_ = nullptr;
};

}  // namespace mofurin::platform
