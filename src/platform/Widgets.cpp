#include "platform/Widgets.h"

#include "platform/Form.h"

namespace mofurin::platform {

QString Colour::toString() const {
  return QStringLiteral("#%1%2%3")
      .arg(r, 2, 16, QChar(u'0'))
      .arg(g, 2, 16, QChar(u'0'))
      .arg(b, 2, 16, QChar(u'0'))
      .toUpper();
}

Widget::Widget(Form& form, WidgetKind kind, QString name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {
  form_.registerWidget(this);
}

Widget::~Widget() {
  if (view_) view_->detach();
  form_.unregisterWidget(this);
}

QString Widget::fullName() const {
  QString full = form_.name() + u'.' + name_;
  if (index_ >= 0) full += QStringLiteral("(%1)").arg(index_);
  return full;
}

void Widget::changed(Prop what) const {
  if (view_) view_->refresh(what);
}

void Widget::raise(const std::function<void()>& handler) const {
  if (handler) handler();
}

void Widget::setParent(Widget* container) { parent_ = container; }

void Widget::setGeometry(int left, int top, int width, int height) {
  const Rect r{left, top, width, height};
  if (r == geometry_) return;
  geometry_ = r;
  changed(Prop::Geometry);
}

void Widget::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  changed(Prop::Visible);
}

void Widget::setEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  changed(Prop::Enabled);
}

bool Widget::usable() const {
  for (const Widget* w = this; w; w = w->parent()) {
    if (!w->visible() || !w->enabled()) return false;
  }
  return form_.visible() && form_.enabled();
}

void Widget::setBackColor(std::optional<Colour> c) {
  if (c == backColor_) return;
  backColor_ = c;
  changed(Prop::Colours);
}

void Widget::setForeColor(std::optional<Colour> c) {
  if (c == foreColor_) return;
  foreColor_ = c;
  changed(Prop::Colours);
}

void Widget::setFont(Font f) {
  if (f == font_) return;
  font_ = f;
  changed(Prop::Font);
}

void Widget::setAlignment(Align a) {
  if (a == alignment_) return;
  alignment_ = a;
  changed(Prop::Style);
}

void Widget::setWrap(Wrap w) {
  if (w == wrap_) return;
  wrap_ = w;
  changed(Prop::Style);
}

void Widget::setCaption(const QString& text) {
  if (text == caption_) return;
  caption_ = text;
  changed(Prop::Caption);
  for (const Widget* w : form_.widgets()) {
    if (w->labelledBy_ == this) w->changed(Prop::Name);
  }
}

QString Widget::accessibleName() const {
  if (!accessibleName_.isEmpty()) return accessibleName_;
  if (!labelledBy_) return caption_;
  // A label pointing at its box ("名前のデフォルト→") names it without the arrow.
  QString name = labelledBy_->caption().trimmed();
  while (name.endsWith(u'→') || name.endsWith(u'：')) name = name.chopped(1).trimmed();
  return name;
}

void Widget::setAccessibleName(const QString& name) {
  if (name == accessibleName_) return;
  accessibleName_ = name;
  changed(Prop::Name);
}

void Widget::setLabelledBy(const Widget* label) {
  if (label == labelledBy_) return;
  labelledBy_ = label;
  changed(Prop::Name);
}

void Widget::click() {
  if (usable()) raise(onClick);
}

void Widget::keyDown(int keyCode) { form_.keyDown(this, keyCode); }

void Label::setTransparent(bool t) {
  if (t == transparent_) return;
  transparent_ = t;
  changed(Prop::Style);
}

void Label::setBorder(bool b) {
  if (b == border_) return;
  border_ = b;
  changed(Prop::Style);
}

void CheckBox::setChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  changed(Prop::Value);
  raise(onClick);
}

void CheckBox::click() {
  if (usable()) setChecked(!checked_);
}

void OptionButton::clearSiblings() {
  for (Widget* w : form().widgets()) {
    if (w != this && w->kind() == WidgetKind::OptionButton && w->parent() == parent()) {
      auto* other = static_cast<OptionButton*>(w);
      if (other->selected_) {
        other->selected_ = false;
        other->changed(Prop::Value);
      }
    }
  }
}

void OptionButton::setSelected(bool s) {
  if (s == selected_) return;
  selected_ = s;
  if (s) clearSiblings();
  changed(Prop::Value);
  if (s) raise(onClick);
}

void OptionButton::click() {
  if (!usable()) return;
  if (selected_) {
    raise(onClick);
  } else {
    setSelected(true);
  }
}

void ComboBox::clear() {
  if (items_.isEmpty() && listIndex_ < 0) return;
  items_.clear();
  listIndex_ = -1;
  changed(Prop::Items);
}

void ComboBox::addItem(const QString& item) {
  items_.append(item);
  changed(Prop::Items);
}

void ComboBox::setListIndex(int i) {
  if (i < -1 || i >= items_.size()) i = -1;
  if (i == listIndex_) return;
  listIndex_ = i;
  changed(Prop::Value);
  raise(onClick);
}

bool ComboBox::pick(const QString& item) {
  const int i = static_cast<int>(items_.indexOf(item));
  if (i < 0) return false;
  if (usable()) setListIndex(i);
  return true;
}

void TextBox::setText(const QString& t) {
  if (t == text_) return;
  text_ = t;
  changed(Prop::Caption);
  raise(onChange);
}

void TextBox::type(const QString& t) {
  if (!usable() || readOnly_) return;
  QString typed = t;
  // A one-line box holds one line: pasted line breaks are dropped.
  if (!multiLine_) typed.remove(u'\r').remove(u'\n');
  setText(maxLength_ > 0 ? typed.left(maxLength_) : typed);
}

void TextBox::setMultiLine(bool m) {
  if (m == multiLine_) return;
  multiLine_ = m;
  changed(Prop::Style);
}

void TextBox::setReadOnly(bool r) {
  if (r == readOnly_) return;
  readOnly_ = r;
  changed(Prop::Style);
}

void TextBox::setHint(const QString& h) {
  if (h == hint_) return;
  hint_ = h;
  changed(Prop::Style);
}

void ScrollBar::setRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  changed(Prop::Style);
  setValue(value_);
}

void ScrollBar::setValue(int v) {
  v = std::clamp(v, min_, max_);
  if (v == value_) return;
  value_ = v;
  changed(Prop::Value);
  raise(onChange);
}

void ScrollBar::setSteps(int small, int large) {
  smallChange_ = small;
  largeChange_ = large;
  changed(Prop::Style);
}

void Shape::setShape(ShapeKind s) {
  if (s == shape_) return;
  shape_ = s;
  changed(Prop::Style);
}

void PictureBox::setPicture(const Picture& p) {
  if (p == picture_) return;
  picture_ = p;
  changed(Prop::Picture);
}

void PictureBox::setStretch(bool s) {
  if (s == stretch_) return;
  stretch_ = s;
  changed(Prop::Picture);
}

void PictureBox::setBorder(bool b) {
  if (b == border_) return;
  border_ = b;
  changed(Prop::Style);
}

}  // namespace mofurin::platform
