#include "platform/Form.h"

#include <algorithm>

#include "platform/Keys.h"
#include "platform/Platform.h"
#include "platform/Timer.h"

namespace mofurin::platform {

Form::Form(Platform& platform, QString name) : platform_(platform), name_(std::move(name)) {}

Form::~Form() {
  if (view_) view_->detach();
}

void Form::changed(FormProp what) const {
  if (view_) view_->refresh(what);
}

void Form::setCaption(const QString& text) {
  if (text == caption_) return;
  caption_ = text;
  changed(FormProp::Caption);
}

void Form::setSize(int widthTwips, int heightTwips) {
  if (widthTwips == width_ && heightTwips == height_) return;
  width_ = widthTwips;
  height_ = heightTwips;
  changed(FormProp::Size);
}

void Form::setBackColor(std::optional<Colour> c) {
  if (c == backColor_) return;
  backColor_ = c;
  changed(FormProp::Colours);
}

void Form::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  changed(FormProp::Enabled);
}

Widget* Form::findWidget(const QString& name, int index) const {
  for (Widget* w : widgets_) {
    if (w->name() == name && w->index() == index) return w;
  }
  return nullptr;
}

Timer* Form::findTimer(const QString& name) const {
  for (Timer* t : timers_) {
    if (t->name() == name) return t;
  }
  return nullptr;
}

void Form::keyDown(Widget* target, int keyCode) {
  if (keyCode == Key::F1) {
    platform_.showHelp(helpTopic_);
    return;
  }
  if (!visible_ || !enabled_) return;
  if (target && !target->usable()) return;
  if (!target || keyPreview_) Form_KeyDown(keyCode);
  if (target && target->onKeyDown) target->onKeyDown(keyCode);
}

void Form::unregisterWidget(Widget* w) { std::erase(widgets_, w); }

void Form::unregisterTimer(Timer* t) { std::erase(timers_, t); }

void Form::stopTimers() {
  for (Timer* t : timers_) t->stop();
}

}  // namespace mofurin::platform
