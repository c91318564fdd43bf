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

void Form::focusOn(Widget& w) {
  if (view_ && w.usable()) view_->focus(w);
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

bool Form::keyDown(Widget* target, int keyCode) {
  if (keyCode == Key::F1) {
    platform_.showHelp(helpTopic_);
    return true;
  }
  if (!visible_ || !enabled_) return false;
  if (target && !target->usable()) return false;
  keyTaken_ = false;
  if (!target || keyPreview_) Form_KeyDown(keyCode);
  if (target && target->onKeyDown) target->onKeyDown(keyCode);
  // A handler may have closed the screen; it is destroyed only after this
  // event, so its state can still be read.
  if (target && target->usable() && moveByKey(*target, keyCode)) return true;
  return pressByKey(target, keyCode) || keyTaken_;
}

bool Form::moveByKey(Widget& target, int keyCode) {
  if (target.kind() == WidgetKind::ComboBox) {
    auto& list = static_cast<ComboBox&>(target);
    const int step = keyCode == Key::Down ? 1 : keyCode == Key::Up ? -1 : 0;
    if (step == 0) return false;
    list.setListIndex(std::clamp(list.listIndex() + step, 0, static_cast<int>(list.items().size()) - 1));
    return true;
  }
  if (target.kind() == WidgetKind::ScrollBar) {
    auto& bar = static_cast<ScrollBar&>(target);
    switch (keyCode) {
      case Key::Left:
      case Key::Down: bar.setValue(bar.value() - bar.smallChange()); return true;
      case Key::Right:
      case Key::Up: bar.setValue(bar.value() + bar.smallChange()); return true;
      case Key::PageDown: bar.setValue(bar.value() - bar.largeChange()); return true;
      case Key::PageUp: bar.setValue(bar.value() + bar.largeChange()); return true;
      case Key::Home: bar.setValue(bar.min()); return true;
      case Key::End: bar.setValue(bar.max()); return true;
      default: return false;
    }
  }
  return false;
}

bool Form::pressByKey(Widget* target, int keyCode) {
  if (keyCode == Key::Escape) {
    if (!cancelButton_ || !cancelButton_->usable()) return false;
    cancelButton_->click();
    return true;
  }
  if (keyCode != Key::Enter && keyCode != Key::Space) return false;
  const WidgetKind kind = target ? target->kind() : WidgetKind::Label;
  if (target && target->usable() && (kind == WidgetKind::Button || kind == WidgetKind::MenuItem)) {
    target->click();
    return true;
  }
  if (keyCode == Key::Space) {
    if (!target || !target->usable() || (kind != WidgetKind::CheckBox && kind != WidgetKind::OptionButton))
      return false;
    target->click();
    return true;
  }
  // Enter in a box of several lines makes a new line, where it can be typed.
  if (kind == WidgetKind::TextBox && static_cast<TextBox*>(target)->multiLine() &&
      !static_cast<TextBox*>(target)->readOnly()) {
    return false;
  }
  if (!defaultButton_ || !defaultButton_->usable()) return false;
  defaultButton_->click();
  return true;
}

void Form::unregisterWidget(Widget* w) { std::erase(widgets_, w); }

void Form::unregisterTimer(Timer* t) { std::erase(timers_, t); }

void Form::stopTimers() {
  for (Timer* t : timers_) t->stop();
}

}  // namespace mofurin::platform
