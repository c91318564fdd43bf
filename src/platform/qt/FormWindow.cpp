#include "platform/qt/FormWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Keys.h"
#include "platform/qt/Accessibility.h"
#include "platform/qt/Pictures.h"

namespace mofurin::platform {

namespace {

QColor toQColor(const Colour& c) { return QColor(c.r, c.g, c.b); }

QString plain(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// What a player reads: the game's texts write the currency sign as the
// character 0x5C, which Japanese desktop fonts draw as a yen sign.
QString shown(const QString& text) { return plain(text).replace(u'\\', u'\u00A5'); }

// Captions of buttons and boxes would turn "&" into a shortcut mark.
QString literalAmpersands(QString text) { return shown(text.replace(u'&', QStringLiteral("&&"))); }

// A text that shrinks to fit goes no smaller than this: below it kanji blur.
constexpr int kSmallestPixelSize = 8;

// The font as given, or the largest smaller size at which `fits` holds (the
// smallest size when none does).
QFont fittingFont(QFont font, bool shrinks, const std::function<bool(const QFont&)>& fits) {
  while (shrinks && font.pixelSize() > kSmallestPixelSize && !fits(font)) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

QStringView withoutTrailingSpaces(QStringView text) {
  while (text.endsWith(u' ')) text.chop(1);
  return text;
}

// One line cut before each word that follows a space; a figure is not a
// word, so "頭(H) 100" stays one piece.
QStringList piecesOf(const QString& line) {
  QStringList pieces;
  qsizetype start = 0;
  for (qsizetype i = 1; i < line.size(); ++i) {
    const QChar c = line[i];
    if (line[i - 1] == u' ' && c != u' ' && !c.isDigit() && c != u'-') {
      pieces << line.mid(start, i - start);
      start = i;
    }
  }
  return pieces << line.mid(start);
}

// The text with its lines broken only between pieces, as few lines as
// `width` allows.
QString brokenAtSpaces(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  for (const QString& paragraph : text.split(u'\n')) {
    QString line;
    for (const QString& piece : piecesOf(paragraph)) {
      if (!line.isEmpty() && metrics.horizontalAdvance(withoutTrailingSpaces(line + piece).toString()) > width) {
        lines << withoutTrailingSpaces(line).toString();
        line.clear();
      }
      line += piece;
    }
    lines << line;
  }
  return lines.join(u'\n');
}

// The text with its lines broken where the language allows (at spaces, or
// between any two Japanese characters) so that none is wider than `width`.
QString brokenToWidth(const QString& text, const QFont& font, int width) {
  QStringList lines;
  for (const QString& paragraph : text.split(u'\n')) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines << withoutTrailingSpaces(QStringView(paragraph).mid(line.textStart(), line.textLength())).toString();
    }
    layout.endLayout();
  }
  return lines.join(u'\n');
}

Qt::Alignment qtAlignment(Align a) {
  switch (a) {
    case Align::Centre: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    case Align::Left: break;
  }
  return Qt::AlignLeft;
}

// A label that reports clicks.
class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> clicked;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked) clicked();
  }
};

// A filled shape, or a picture drawn at its size or stretched; both report
// clicks.
// The frame drawn around whatever control has the keyboard, so that a
// player who plays by keys always sees where Enter and Space go: the
// toolkit's own mark is faint on buttons and missing on scroll bars.
class FocusRing : public QWidget {
 public:
  explicit FocusRing(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
  }
  void follow(QWidget* focus) {
    if (!focus || focus == parentWidget() || !focus->isVisible()) {
      hide();
      return;
    }
    const QRect r(focus->mapTo(parentWidget(), QPoint(0, 0)), focus->size());
    setGeometry(r.adjusted(-kMargin, -kMargin, kMargin, kMargin));
    show();
    raise();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 140, 0), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
  }

 private:
  static constexpr int kMargin = 2;
};

class PaintedWidget : public QWidget {
 public:
  using QWidget::QWidget;
  std::function<void(QPainter&)> paint;
  std::function<void()> clicked;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (paint) paint(painter);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked) clicked();
  }
};

}  // namespace

// Keeps one QWidget in step with one widget of a screen.
class Binding : public WidgetView {
 public:
  Binding(Widget& w, QWidget* q) : w_(&w), q_(q) { w.setView(this); }
  ~Binding() override {
    if (w_) w_->setView(nullptr);
  }
  void detach() override { w_ = nullptr; }
  void forget() {
    if (w_) w_->setView(nullptr);
    w_ = nullptr;
  }

  // A control that goes away with the keyboard leaves it with the screen, not
  // with the next control: Enter then presses the screen's default button,
  // never the AUTO or flight button beside a hidden command panel.
  void keepFocusOffNeighbours() const {
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == q_ || q_->isAncestorOf(focus))) q_->window()->setFocus(Qt::OtherFocusReason);
  }

  void refresh(Prop what) override {
    if (!w_ || !q_) return;
    switch (what) {
      case Prop::Geometry: {
        const Rect& r = w_->geometry();
        q_->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width), twipsToPixels(r.height));
        if (fitsText()) fitText();
        break;
      }
      case Prop::Visible:
        if (!w_->visible()) keepFocusOffNeighbours();
        q_->setVisible(w_->visible());
        break;
      case Prop::Enabled:
        if (!w_->enabled()) keepFocusOffNeighbours();
        q_->setEnabled(w_->enabled());
        break;
      case Prop::Font:
        q_->setFont(designFont());
        if (fitsText()) fitText();
        break;
      case Prop::Colours: applyColours(); break;
      case Prop::Name: publishName(*w_, *q_, shown(w_->accessibleName())); break;
      default: update(what); break;
    }
  }

  void refreshAll() {
    for (Prop p : {Prop::Geometry, Prop::Font, Prop::Colours, Prop::Style, Prop::Caption, Prop::Items, Prop::Value,
                   Prop::Picture, Prop::Enabled, Prop::Visible, Prop::Name}) {
      refresh(p);
    }
  }

 protected:
  virtual void update(Prop) {}
  virtual QPalette::ColorRole backRole() const { return QPalette::Window; }
  virtual QPalette::ColorRole foreRole() const { return QPalette::WindowText; }
  virtual bool fillsBackground() const { return w_->backColor().has_value(); }

  // The font the screen gave, its points as meant on a 96 dpi display.
  QFont designFont() const {
    QFont f = q_->font();
    f.setPixelSize(qRound(w_->font().points * 96.0 / 72.0));
    f.setBold(w_->font().bold);
    return f;
  }
  // Whether the text's font or line breaks follow the widget's size: then
  // fitText() sets them again whenever the text, the size or the font change.
  virtual bool fitsText() const { return w_->font().shrinksToFit || w_->wrap() == Wrap::AtSpaces; }
  virtual void fitText() {}

  void applyColours() {
    QPalette palette = q_->palette();
    if (w_->backColor()) palette.setColor(backRole(), toQColor(*w_->backColor()));
    if (w_->foreColor()) palette.setColor(foreRole(), toQColor(*w_->foreColor()));
    q_->setPalette(palette);
    q_->setAutoFillBackground(fillsBackground());
  }

  Widget* w_;
  QPointer<QWidget> q_;
};

namespace {

// Lists and text boxes colour their entry field, not a background.
class FieldBinding : public Binding {
 public:
  using Binding::Binding;

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  bool fillsBackground() const override { return false; }
};

class LabelBinding : public Binding {
 public:
  LabelBinding(Label& w, ClickLabel* q) : Binding(w, q), label_(q) {
    q->setTextFormat(Qt::PlainText);
    q->setWordWrap(true);
    q->clicked = [this] {
      if (w_) w_->click();
    };
  }

 protected:
  Label& model() const { return static_cast<Label&>(*w_); }
  bool fillsBackground() const override { return !model().transparent() && w_->backColor().has_value(); }
  void update(Prop what) override {
    if (what == Prop::Style) {
      label_->setAlignment(qtAlignment(w_->alignment()) | Qt::AlignTop);
      label_->setFrameShape(model().border() ? QFrame::Box : QFrame::NoFrame);
      label_->setWordWrap(w_->wrap() == Wrap::Anywhere);
      applyColours();
    }
    if (what != Prop::Caption && what != Prop::Style) return;
    if (fitsText()) {
      fitText();
    } else {
      label_->setText(shown(w_->caption()));
    }
    if (what == Prop::Caption && w_->live()) announceChange(*label_, shown(w_->caption()));
  }

  void fitText() override {
    const QString text = shown(w_->caption());
    const QFont font =
        fittingFont(designFont(), w_->font().shrinksToFit, [&](const QFont& f) { return fits(laidOut(text, f), f); });
    label_->setFont(font);
    label_->setText(laidOut(text, font));
  }

 private:
  QString laidOut(const QString& text, const QFont& font) const {
    if (w_->wrap() != Wrap::AtSpaces) return text;
    return brokenAtSpaces(text, QFontMetrics(font), textArea(font).width());
  }

  bool fits(const QString& text, const QFont& font) const {
    const QRect area = textArea(font);
    const int flags = w_->wrap() == Wrap::Anywhere ? Qt::TextWordWrap : 0;
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), QWIDGETSIZE_MAX), flags, text);
    return needed.width() <= area.width() && needed.height() <= area.height();
  }

  // Where the label draws its text: inside its frame, less the indent a
  // framed label keeps on the side its text is aligned to.
  QRect textArea(const QFont& font) const {
    QRect area = label_->contentsRect();
    int indent = label_->indent();
    if (indent < 0 && label_->frameWidth() > 0) indent = QFontMetrics(font).horizontalAdvance(u'x') / 2;
    if (indent > 0 && w_->alignment() != Align::Centre) area.setWidth(area.width() - indent);
    return area;
  }

  ClickLabel* label_;
};

class ButtonBinding : public Binding {
 public:
  ButtonBinding(Button& w, QPushButton* q) : Binding(w, q), button_(q) {
    QObject::connect(q, &QPushButton::clicked, [this] {
      if (w_) w_->click();
    });
  }

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Button; }
  QPalette::ColorRole foreRole() const override { return QPalette::ButtonText; }
  bool fillsBackground() const override { return false; }
  // A caption too long for one line takes as many as it needs.
  bool fitsText() const override { return w_->wrap() != Wrap::Never; }
  void update(Prop what) override {
    if (what != Prop::Caption) return;
    if (fitsText()) {
      fitText();
    } else {
      button_->setText(literalAmpersands(w_->caption()));
    }
  }
  void fitText() override {
    const QString text = literalAmpersands(w_->caption());
    const QFont font = designFont();
    const int width = textWidth();
    button_->setText(QFontMetrics(font).horizontalAdvance(text) <= width ? text : brokenToWidth(text, font, width));
  }

 private:
  // The width a caption has inside the button's frame and margins.
  int textWidth() const {
    QStyleOptionButton option;
    option.initFrom(button_);
    const QRect contents = button_->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button_);
    return contents.width() - 2 * button_->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button_);
  }

  QPushButton* button_;
};

template <class Model, class QtBox>
class ToggleBinding : public Binding {
 public:
  ToggleBinding(Model& w, QtBox* q) : Binding(w, q), box_(q) {
    QObject::connect(q, &QtBox::clicked, [this] {
      if (w_) w_->click();
      // The screen decides the state: show what it decided.
      if (w_) update(Prop::Value);
    });
  }

 protected:
  void update(Prop what) override {
    if (what == Prop::Caption) box_->setText(literalAmpersands(w_->caption()));
    if (what == Prop::Value) box_->setChecked(state());
  }

 private:
  bool state() const {
    if constexpr (std::is_same_v<Model, CheckBox>) {
      return static_cast<CheckBox&>(*w_).checked();
    } else {
      return static_cast<OptionButton&>(*w_).selected();
    }
  }
  QtBox* box_;
};

class ComboBinding : public FieldBinding {
 public:
  ComboBinding(ComboBox& w, QComboBox* q) : FieldBinding(w, q), combo_(q) {
    QObject::connect(q, &QComboBox::activated, [this](int i) {
      if (w_) static_cast<ComboBox&>(*w_).setListIndex(i);
    });
    followPicksFromReaders(*q, [this](int i) {
      if (w_) static_cast<ComboBox&>(*w_).setListIndex(i);
    });
  }

 protected:
  void update(Prop what) override {
    auto& model = static_cast<ComboBox&>(*w_);
    const QSignalBlocker block(combo_);
    if (what == Prop::Items) {
      combo_->clear();
      for (const QString& item : model.items()) combo_->addItem(shown(item));
    }
    if (what == Prop::Items || what == Prop::Value) combo_->setCurrentIndex(model.listIndex());
  }

 private:
  QComboBox* combo_;
};

class LineEditBinding : public FieldBinding {
 public:
  LineEditBinding(TextBox& w, QLineEdit* q) : FieldBinding(w, q), edit_(q) {
    QObject::connect(q, &QLineEdit::textEdited, [this](const QString& text) {
      if (w_) static_cast<TextBox&>(*w_).type(text);
    });
  }

 protected:
  void update(Prop what) override {
    auto& model = static_cast<TextBox&>(*w_);
    const QString text = model.readOnly() ? shown(model.text()) : model.text();
    if ((what == Prop::Caption || what == Prop::Style) && edit_->text() != text) edit_->setText(text);
    if (what == Prop::Style) {
      edit_->setReadOnly(model.readOnly());
      edit_->setAlignment(qtAlignment(model.alignment()) | Qt::AlignVCenter);
      edit_->setMaxLength(model.maxLength() > 0 ? model.maxLength() : 32767);
      edit_->setPlaceholderText(shown(model.hint()));
    }
  }

 private:
  QLineEdit* edit_;
};

class TextEditBinding : public FieldBinding {
 public:
  TextEditBinding(TextBox& w, QPlainTextEdit* q) : FieldBinding(w, q), edit_(q) {
    QObject::connect(q, &QPlainTextEdit::textChanged, [this] {
      if (!w_ || syncing_) return;
      static_cast<TextBox&>(*w_).setText(edit_->toPlainText().replace(u'\n', QStringLiteral("\r\n")));
    });
  }

 protected:
  void update(Prop what) override {
    if (what != Prop::Caption && what != Prop::Style) return;
    auto& model = static_cast<TextBox&>(*w_);
    const QString text = shownText();
    if (edit_->toPlainText() != text) {
      // A read-only box that showed its last line, a log, keeps showing it.
      QScrollBar* bar = edit_->verticalScrollBar();
      const bool followsEnd = model.readOnly() && bar->value() == bar->maximum();
      syncing_ = true;
      edit_->setPlainText(text);
      syncing_ = false;
      if (followsEnd) bar->setValue(bar->maximum());
    }
    if (what == Prop::Style) {
      edit_->setReadOnly(model.readOnly());
      edit_->setLineWrapMode(w_->wrap() == Wrap::Never ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }
    if (fitsText()) fitText();
  }

  void fitText() override {
    const QStringList lines = shownText().split(u'\n');
    edit_->setFont(fittingFont(designFont(), w_->font().shrinksToFit, [&](const QFont& f) { return fits(lines, f); }));
  }

 private:
  // A read-only box shows what a player reads; its last line break would
  // only add an empty row.
  QString shownText() const {
    auto& model = static_cast<TextBox&>(*w_);
    if (!model.readOnly()) return plain(model.text());
    QString text = shown(model.text());
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
  }

  // Every line whole and unscrolled, as the box lays out a line: its font's
  // line spacing, inside the document's margin.
  bool fits(const QStringList& lines, const QFont& font) const {
    const QFontMetricsF metrics(font);
    const double margin = edit_->document()->documentMargin();
    const QSizeF area = QSizeF(edit_->contentsRect().size()) - QSizeF(2 * margin, 2 * margin);
    const bool tallEnough = lines.size() * metrics.lineSpacing() <= area.height();
    return tallEnough && std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
             return metrics.horizontalAdvance(line) <= area.width();
           });
  }

  QPlainTextEdit* edit_;
  bool syncing_ = false;
};

class ScrollBinding : public Binding {
 public:
  ScrollBinding(ScrollBar& w, QScrollBar* q) : Binding(w, q), bar_(q) {
    QObject::connect(q, &QScrollBar::valueChanged, [this](int v) {
      if (w_ && !syncing_) static_cast<ScrollBar&>(*w_).setValue(v);
    });
  }

 protected:
  void update(Prop what) override {
    auto& model = static_cast<ScrollBar&>(*w_);
    if (what != Prop::Style && what != Prop::Value) return;
    syncing_ = true;
    bar_->setRange(model.min(), model.max());
    bar_->setSingleStep(model.smallChange());
    bar_->setPageStep(model.largeChange());
    bar_->setValue(model.value());
    syncing_ = false;
  }

 private:
  QScrollBar* bar_;
  bool syncing_ = false;
};

class FrameBinding : public Binding {
 public:
  FrameBinding(Frame& w, QGroupBox* q) : Binding(w, q), box_(q) {}

 protected:
  void update(Prop what) override {
    if (what == Prop::Caption) box_->setTitle(literalAmpersands(w_->caption()));
  }

 private:
  QGroupBox* box_;
};

class ShapeBinding : public Binding {
 public:
  ShapeBinding(Shape& w, PaintedWidget* q) : Binding(w, q), painted_(q) {
    q->paint = [this](QPainter& p) { draw(p); };
  }

 protected:
  bool fillsBackground() const override { return false; }
  void update(Prop) override { painted_->update(); }

 private:
  void draw(QPainter& p) {
    if (!w_) return;
    auto& model = static_cast<Shape&>(*w_);
    p.setRenderHint(QPainter::Antialiasing, model.shape() != ShapeKind::Rectangle);
    p.setPen(model.foreColor() ? QPen(toQColor(*model.foreColor())) : QPen(Qt::NoPen));
    p.setBrush(model.backColor() ? QBrush(toQColor(*model.backColor())) : QBrush(Qt::NoBrush));
    const QRect r = painted_->rect().adjusted(0, 0, -1, -1);
    switch (model.shape()) {
      case ShapeKind::Rectangle: p.drawRect(r); break;
      case ShapeKind::RoundedRectangle: p.drawRoundedRect(r, 6, 6); break;
      case ShapeKind::Oval: p.drawEllipse(r); break;
    }
  }
  PaintedWidget* painted_;
};

class PictureBinding : public Binding {
 public:
  PictureBinding(PictureBox& w, PaintedWidget* q, QString folder)
      : Binding(w, q), painted_(q), folder_(std::move(folder)) {
    q->paint = [this](QPainter& p) { draw(p); };
    q->clicked = [this] {
      if (w_) w_->click();
    };
  }

 protected:
  void update(Prop what) override {
    if (what == Prop::Picture) {
      const Picture& picture = static_cast<PictureBox&>(*w_).picture();
      picture_ = picture.isNull() ? PictureFile() : PictureFile(folder_ + u'/' + picture.file);
    }
    painted_->update();
  }

 private:
  void draw(QPainter& p) {
    if (!w_) return;
    auto& model = static_cast<PictureBox&>(*w_);
    if (const QPixmap& pixmap = picture_.pixmap(); !pixmap.isNull()) {
      if (model.stretch()) {
        // Pixel art stays crisp: no smoothing when it is enlarged.
        p.drawPixmap(painted_->rect(), pixmap);
      } else {
        p.drawPixmap(0, 0, pixmap);
      }
    }
    if (model.border()) {
      p.setPen(QPen(QColor(64, 64, 64)));
      p.setBrush(Qt::NoBrush);
      p.drawRect(painted_->rect().adjusted(0, 0, -1, -1));
    }
  }
  PaintedWidget* painted_;
  QString folder_;
  PictureFile picture_;
};

class MenuBinding : public Binding {
 public:
  MenuBinding(MenuItem& w, QAction* action) : Binding(w, nullptr), action_(action) {
    if (!w.isMenu()) {
      QObject::connect(action, &QAction::triggered, [this] {
        if (w_) w_->click();
      });
    }
  }
  void refresh(Prop what) override {
    if (!w_ || !action_) return;
    if (what == Prop::Caption) action_->setText(literalAmpersands(w_->caption()));
    if (what == Prop::Visible) action_->setVisible(w_->visible());
    if (what == Prop::Enabled) action_->setEnabled(w_->enabled());
  }

 private:
  QPointer<QAction> action_;
};

}  // namespace

int gameKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    const int digit = qtKey - Qt::Key_0;
    return (modifiers & Qt::KeypadModifier) ? Key::Numpad0 + digit : Key::Digit0 + digit;
  }
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return Key::A + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return Key::F1 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Tab: return Key::Tab;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    default: return -1;
  }
}

FormWindow::FormWindow(Form& form, QString pictureFolder) : form_(&form), pictureFolder_(std::move(pictureFolder)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  publishAsWindow(*this);
  build();
  form.setView(this);
  refresh(FormProp::Caption);
  refresh(FormProp::Colours);
  refresh(FormProp::Enabled);
}

FormWindow::~FormWindow() { detach(); }

void FormWindow::takeInitialFocus() {
  if (!form_ || !form_->initialFocus()) return;
  if (auto entry = menuActions_.find(form_->initialFocus()); entry != menuActions_.end()) {
    // A menu can only open in a window the desktop has made active.
    if (isActiveWindow()) {
      openMenuAt(entry->second);
    } else {
      entryToOpen_ = entry->second;
    }
    return;
  }
  auto it = qwidgets_.find(form_->initialFocus());
  if (it != qwidgets_.end()) giveKeyboard(it->second);
}

void FormWindow::focus(Widget& w) {
  auto it = qwidgets_.find(&w);
  if (it != qwidgets_.end()) giveKeyboard(it->second);
}

// A text box the game hands the keyboard to is typed over, as after Tab:
// the shop's amount box is full ("000000"), and a key typed after it would
// be lost.
void FormWindow::giveKeyboard(QWidget* w) {
  w->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}

void FormWindow::detach() {
  if (!form_) return;
  for (auto& binding : bindings_) binding->forget();
  form_->setView(nullptr);
  form_ = nullptr;
}

void FormWindow::refresh(FormProp what) {
  if (!form_) return;
  switch (what) {
    case FormProp::Caption: setWindowTitle(shown(form_->caption())); break;
    case FormProp::Size: client_->setFixedSize(twipsToPixels(form_->width()), twipsToPixels(form_->height())); break;
    case FormProp::Enabled: setEnabled(form_->enabled()); break;
    case FormProp::Colours:
      if (form_->backColor()) {
        QPalette palette = client_->palette();
        palette.setColor(QPalette::Window, toQColor(*form_->backColor()));
        client_->setPalette(palette);
        client_->setAutoFillBackground(true);
      }
      break;
  }
}

QWidget* FormWindow::containerFor(const Widget& w) {
  if (!w.parent()) return client_;
  auto it = qwidgets_.find(w.parent());
  return it != qwidgets_.end() ? it->second : client_;
}

void FormWindow::build() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  buildMenus();
  if (menuBar_) layout->addWidget(menuBar_);
  client_ = new QWidget(this);
  client_->setFixedSize(twipsToPixels(form_->width()), twipsToPixels(form_->height()));
  layout->addWidget(client_);

  // Containers come before what they hold, whatever order the screen
  // declared them in; siblings keep their order (and so their stacking).
  std::vector<Widget*> ordered = form_->widgets();
  const auto depth = [](const Widget* w) {
    int d = 0;
    for (const Widget* p = w->parent(); p; p = p->parent()) ++d;
    return d;
  };
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const Widget* a, const Widget* b) { return depth(a) < depth(b); });
  for (Widget* w : ordered) {
    if (w->kind() == WidgetKind::MenuItem) continue;
    QWidget* parent = containerFor(*w);
    std::unique_ptr<Binding> binding;
    QWidget* q = nullptr;
    switch (w->kind()) {
      case WidgetKind::Label: {
        auto* label = new ClickLabel(parent);
        binding = std::make_unique<LabelBinding>(static_cast<Label&>(*w), label);
        q = label;
        break;
      }
      case WidgetKind::Button: {
        auto* button = new QPushButton(parent);
        binding = std::make_unique<ButtonBinding>(static_cast<Button&>(*w), button);
        q = button;
        break;
      }
      case WidgetKind::CheckBox: {
        auto* box = new QCheckBox(parent);
        binding = std::make_unique<ToggleBinding<CheckBox, QCheckBox>>(static_cast<CheckBox&>(*w), box);
        q = box;
        break;
      }
      case WidgetKind::OptionButton: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);
        binding = std::make_unique<ToggleBinding<OptionButton, QRadioButton>>(static_cast<OptionButton&>(*w), radio);
        q = radio;
        break;
      }
      case WidgetKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        binding = std::make_unique<ComboBinding>(static_cast<ComboBox&>(*w), combo);
        q = combo;
        break;
      }
      case WidgetKind::TextBox: {
        auto& box = static_cast<TextBox&>(*w);
        if (box.multiLine()) {
          auto* edit = new QPlainTextEdit(parent);
          binding = std::make_unique<TextEditBinding>(box, edit);
          q = edit;
        } else {
          auto* edit = new QLineEdit(parent);
          binding = std::make_unique<LineEditBinding>(box, edit);
          q = edit;
        }
        break;
      }
      case WidgetKind::ScrollBar: {
        auto* bar = new QScrollBar(Qt::Horizontal, parent);
        bar->setFocusPolicy(Qt::StrongFocus);  // the arrows move it
        binding = std::make_unique<ScrollBinding>(static_cast<ScrollBar&>(*w), bar);
        q = bar;
        break;
      }
      case WidgetKind::Frame: {
        auto* box = new QGroupBox(parent);
        binding = std::make_unique<FrameBinding>(static_cast<Frame&>(*w), box);
        q = box;
        break;
      }
      case WidgetKind::Shape: {
        auto* shape = new PaintedWidget(parent);
        shape->setAttribute(Qt::WA_TransparentForMouseEvents);
        binding = std::make_unique<ShapeBinding>(static_cast<Shape&>(*w), shape);
        q = shape;
        break;
      }
      case WidgetKind::PictureBox: {
        auto* picture = new PaintedWidget(parent);
        binding = std::make_unique<PictureBinding>(static_cast<PictureBox&>(*w), picture, pictureFolder_);
        q = picture;
        break;
      }
      case WidgetKind::MenuItem: break;
    }
    q->installEventFilter(this);
    qwidgets_[w] = q;
    publishRole(*w, *q);
    binding->refreshAll();
    bindings_.push_back(std::move(binding));
  }
  installEventFilter(this);
  addKeyShortcuts();
  auto* ring = new FocusRing(this);
  QObject::connect(qApp, &QApplication::focusChanged, ring,
                   [this, ring](QWidget*, QWidget* now) { ring->follow(now && isAncestorOf(now) ? now : nullptr); });
}

// F1 opens the help wherever the focus is, the menu bar too; F10 opens the
// first menu, so that a player without a mouse reaches the title's menu.
void FormWindow::addKeyShortcuts() {
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  QObject::connect(help, &QShortcut::activated, this, [this] {
    if (form_) form_->keyDown(nullptr, Key::F1);
  });
  if (!menuBar_ || menuBar_->actions().isEmpty()) return;
  auto* menu = new QShortcut(QKeySequence(Qt::Key_F10), this);
  QObject::connect(menu, &QShortcut::activated, this, [this] {
    if (isEnabled() && menuBar_) menuBar_->setActiveAction(menuBar_->actions().constFirst());
  });
}

// The entry's menu opens with the entry lit, so that the arrows and Enter
// choose at once.
void FormWindow::openMenuAt(QAction* entry) {
  for (QAction* title : menuBar_->actions()) {
    QMenu* menu = title->menu();
    if (!menu || !menu->actions().contains(entry)) continue;
    menuBar_->setActiveAction(title);
    menu->setActiveAction(entry);
  }
}

void FormWindow::buildMenus() {
  std::map<const Widget*, QMenu*> menus;
  for (Widget* w : form_->widgets()) {
    if (w->kind() != WidgetKind::MenuItem) continue;
    auto& item = static_cast<MenuItem&>(*w);
    QAction* action = nullptr;
    if (item.isMenu()) {
      if (!menuBar_) menuBar_ = new QMenuBar(this);
      QMenu* menu = menuBar_->addMenu(QString());
      menus[&item] = menu;
      action = menu->menuAction();
    } else if (auto it = menus.find(item.parent()); it != menus.end()) {
      action = it->second->addAction(QString());
    } else {
      continue;
    }
    menuActions_[&item] = action;
    auto binding = std::make_unique<MenuBinding>(item, action);
    for (Prop p : {Prop::Caption, Prop::Visible, Prop::Enabled}) binding->refresh(p);
    bindings_.push_back(std::move(binding));
  }
}

Widget* FormWindow::ownerOf(QObject* object) const {
  for (QObject* o = object; o && o != this; o = o->parent()) {
    for (const auto& [widget, q] : qwidgets_) {
      if (q == o) return const_cast<Widget*>(widget);
    }
  }
  return nullptr;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && event->type() == QEvent::WindowActivate && entryToOpen_ && isEnabled()) {
    openMenuAt(entryToOpen_);
    entryToOpen_ = nullptr;
  }
  if (event->type() != QEvent::KeyPress || !form_) return QWidget::eventFilter(watched, event);
  // Each key press is taken once, where it arrives first: at the focused
  // widget, or at the window when nothing inside has the focus.
  QWidget* focus = QApplication::focusWidget();
  const bool arrivesHere = watched == focus || (watched == this && (!focus || !isAncestorOf(focus)));
  if (!arrivesHere) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const int code = gameKeyCode(key->key(), key->modifiers());
  if (code < 0) return false;
  Widget* target = watched == this ? nullptr : ownerOf(watched);
  QPointer<FormWindow> alive(this);
  const bool taken = form_->keyDown(target, code);
  return taken || !alive;
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (!form_) {
    event->accept();
    return;
  }
  // The screen decides; the window goes when the screen closes.
  event->ignore();
  QPointer<FormWindow> self(this);
  QTimer::singleShot(0, this, [self] {
    if (self && self->form_ && self->form_->closeRequested) self->form_->closeRequested();
  });
}

}  // namespace mofurin::platform
