#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/Colour.h"

namespace mofurin::platform {

class Form;

enum class WidgetKind {
  Label,
  Button,
  CheckBox,
  OptionButton,
  ComboBox,
  TextBox,
  ScrollBar,
  Frame,
  Shape,
  PictureBox,
  MenuItem
};

// What changed on a widget, so that a view redraws only that.
enum class Prop { Caption, Geometry, Visible, Enabled, Colours, Font, Items, Value, Picture, Style, Name };

// A real on-screen counterpart of a widget (the Qt back end's).
class WidgetView {
 public:
  virtual ~WidgetView() = default;
  virtual void refresh(Prop what) = 0;
  virtual void detach() = 0;  // the widget is going away
};

struct Font {
  double points = 9;
  bool bold = false;
  // Drawn smaller where its text would not fit at this size, so that a long
  // name or a large figure still shows whole.
  bool shrinksToFit = false;
  friend bool operator==(const Font&, const Font&) = default;
};

enum class Align { Left, Centre, Right };

// Where a label's or a multi-line box's lines may break.
enum class Wrap {
  Anywhere,  // wherever the toolkit breaks: between any two Japanese characters
  AtSpaces,  // only at a space before a word, so a word keeps the figure after it
  Never,     // each line of the text stays one line
};

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A picture: a file name in the program's picture folder, or none.
struct Picture {
  QString file;
  bool isNull() const { return file.isEmpty(); }
  friend bool operator==(const Picture&, const Picture&) = default;
};

// The state every widget kind shares. Setters do nothing when the value does
// not change, so an idle screen that rewrites the same texts costs nothing.
class Widget {
 public:
  Widget(Form& form, WidgetKind kind, QString name, int index);
  virtual ~Widget();
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  WidgetKind kind() const { return kind_; }
  const QString& name() const { return name_; }
  int index() const { return index_; }  // -1 when not part of an array
  QString fullName() const;             // "Form4.Label2(3)"
  Form& form() const { return form_; }

  Widget* parent() const { return parent_; }  // the container; null for the form
  void setParent(Widget* container);

  const Rect& geometry() const { return geometry_; }  // twips, inside the container
  void setGeometry(int left, int top, int width, int height);
  int left() const { return geometry_.left; }
  int top() const { return geometry_.top; }
  int width() const { return geometry_.width; }
  int height() const { return geometry_.height; }
  void setWidth(int v) { setGeometry(left(), top(), v, height()); }
  void setLeft(int v) { setGeometry(v, top(), width(), height()); }
  void setTop(int v) { setGeometry(left(), v, width(), height()); }
  void moveTo(int left, int top) { setGeometry(left, top, width(), height()); }

  bool visible() const { return visible_; }
  void setVisible(bool v);
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  // Visible and enabled, with every container and the form: a player can use it.
  bool usable() const;

  const std::optional<Colour>& backColor() const { return backColor_; }
  const std::optional<Colour>& foreColor() const { return foreColor_; }
  void setBackColor(std::optional<Colour> c);
  void setForeColor(std::optional<Colour> c);
  const Font& font() const { return font_; }
  void setFont(Font f);
  Align alignment() const { return alignment_; }
  void setAlignment(Align a);
  Wrap wrap() const { return wrap_; }
  void setWrap(Wrap w);

  const QString& caption() const { return caption_; }
  void setCaption(const QString& text);

  // What a player reads on it: the caption, the text, the value.
  virtual QString displayText() const { return caption_; }

  // What a screen reader calls it: the name given, else the caption of the
  // label that names it on screen, else its own caption.
  QString accessibleName() const;
  void setAccessibleName(const QString& name);
  const Widget* labelledBy() const { return labelledBy_; }
  void setLabelledBy(const Widget* label);
  // Every change of its caption is read out as it comes (the bout's messages).
  bool live() const { return live_; }
  void setLive(bool on) { live_ = on; }

  // A player's actions. A widget that cannot be used ignores them.
  virtual void click();
  void keyDown(int keyCode);

  std::function<void()> onClick;
  std::function<void(int keyCode)> onKeyDown;

  WidgetView* view() const { return view_; }
  void setView(WidgetView* view) { view_ = view; }

 protected:
  void changed(Prop what) const;
  void raise(const std::function<void()>& handler) const;

 private:
  Form& form_;
  WidgetKind kind_;
  QString name_;
  int index_;
  Widget* parent_ = nullptr;
  Rect geometry_;
  bool visible_ = true;
  bool enabled_ = true;
  std::optional<Colour> backColor_;
  std::optional<Colour> foreColor_;
  Font font_;
  Align alignment_ = Align::Left;
  Wrap wrap_ = Wrap::Anywhere;
  QString caption_;
  QString accessibleName_;
  const Widget* labelledBy_ = nullptr;
  bool live_ = false;
  WidgetView* view_ = nullptr;
};

class Label : public Widget {
 public:
  Label(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::Label, std::move(name), index) {}
  bool transparent() const { return transparent_; }
  void setTransparent(bool t);
  bool border() const { return border_; }
  void setBorder(bool b);

 private:
  bool transparent_ = false;
  bool border_ = false;
};

class Button : public Widget {
 public:
  Button(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::Button, std::move(name), index) {}
};

// A check box: a click toggles it; every change of its value raises onClick.
class CheckBox : public Widget {
 public:
  CheckBox(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::CheckBox, std::move(name), index) {}
  bool checked() const { return checked_; }
  void setChecked(bool c);
  void click() override;

 private:
  bool checked_ = false;
};

// Option buttons with the same container form one group: selecting one
// clears the others. Selecting raises onClick.
class OptionButton : public Widget {
 public:
  OptionButton(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::OptionButton, std::move(name), index) {}
  bool selected() const { return selected_; }
  void setSelected(bool s);
  void click() override;

 private:
  void clearSiblings();
  bool selected_ = false;
};

// A drop-down list: shows the picked entry's text, or nothing.
class ComboBox : public Widget {
 public:
  ComboBox(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::ComboBox, std::move(name), index) {}
  const QStringList& items() const { return items_; }
  void clear();
  void addItem(const QString& item);
  int listIndex() const { return listIndex_; }
  void setListIndex(int i);  // raises onClick when the pick changes
  QString text() const { return listIndex_ >= 0 ? items_[listIndex_] : QString(); }
  QString displayText() const override { return text(); }
  // A player picks the entry with this text; false when there is none.
  bool pick(const QString& item);

 private:
  QStringList items_;
  int listIndex_ = -1;
};

class TextBox : public Widget {
 public:
  TextBox(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::TextBox, std::move(name), index) {}
  const QString& text() const { return text_; }
  void setText(const QString& t);  // raises onChange when the text changes
  // A player's typing replaces the text; the maximum length applies.
  void type(const QString& t);
  int maxLength() const { return maxLength_; }  // 0: no limit
  void setMaxLength(int n) { maxLength_ = n; }
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool m);
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool r);
  // What an empty box shows of what goes into it.
  const QString& hint() const { return hint_; }
  void setHint(const QString& h);
  QString displayText() const override { return text_; }

  std::function<void()> onChange;

 private:
  QString text_;
  int maxLength_ = 0;
  bool multiLine_ = false;
  bool readOnly_ = false;
  QString hint_;
};

// A horizontal scroll bar; the value always stays within min..max.
class ScrollBar : public Widget {
 public:
  ScrollBar(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::ScrollBar, std::move(name), index) {}
  int min() const { return min_; }
  int max() const { return max_; }
  void setRange(int min, int max);
  int value() const { return value_; }
  void setValue(int v);  // clamped; raises onChange when the value changes
  int smallChange() const { return smallChange_; }
  int largeChange() const { return largeChange_; }
  void setSteps(int small, int large);
  QString displayText() const override { return QString::number(value_); }

  std::function<void()> onChange;

 private:
  int min_ = 0, max_ = 32767, value_ = 0, smallChange_ = 1, largeChange_ = 1;
};

class Frame : public Widget {
 public:
  Frame(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::Frame, std::move(name), index) {}
};

enum class ShapeKind { Rectangle, RoundedRectangle, Oval };

// A drawn shape: filled with the back colour, outlined with the fore colour.
class Shape : public Widget {
 public:
  Shape(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::Shape, std::move(name), index) {}
  ShapeKind shape() const { return shape_; }
  void setShape(ShapeKind s);
  QString displayText() const override { return QString(); }

 private:
  ShapeKind shape_ = ShapeKind::Rectangle;
};

// A picture box or image; it may also hold other widgets.
class PictureBox : public Widget {
 public:
  PictureBox(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::PictureBox, std::move(name), index) {}
  const Picture& picture() const { return picture_; }
  void setPicture(const Picture& p);
  bool stretch() const { return stretch_; }
  void setStretch(bool s);
  bool border() const { return border_; }
  void setBorder(bool b);
  QString displayText() const override { return picture_.file; }

 private:
  Picture picture_;
  bool stretch_ = false;
  bool border_ = false;
};

// A menu of the menu bar (no parent) or one of its items (parent = the menu).
class MenuItem : public Widget {
 public:
  MenuItem(Form& f, QString name, int index = -1) : Widget(f, WidgetKind::MenuItem, std::move(name), index) {}
  bool isMenu() const { return parent() == nullptr; }
};

// An array of widgets of one kind under one name; indexes may have gaps.
template <class W>
class WidgetArray {
 public:
  WidgetArray(Form& form, const QString& name, std::initializer_list<int> indexes) {
    for (int i : indexes) items_.emplace(i, std::make_unique<W>(form, name, i));
  }
  WidgetArray(Form& form, const QString& name, int count) {
    for (int i = 0; i < count; ++i) items_.emplace(i, std::make_unique<W>(form, name, i));
  }
  W& operator[](int index) { return *items_.at(index); }
  const W& operator[](int index) const { return *items_.at(index); }
  bool contains(int index) const { return items_.count(index) != 0; }
  template <class Fn>
  void forEach(Fn fn) {
    for (auto& [i, w] : items_) fn(i, *w);
  }

 private:
  std::map<int, std::unique_ptr<W>> items_;
};

}  // namespace mofurin::platform
