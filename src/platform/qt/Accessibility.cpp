#include "platform/qt/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include "platform/Widgets.h"

namespace mofurin::platform {

namespace {

// The role a widget is published with, where the toolkit's own would be
// wrong: a screen's window is a plain widget to the toolkit, a picture a
// painted panel.
constexpr char kRoleProperty[] = "mofurinAccessibleRole";
// A picture that answers clicks.
constexpr char kPressableProperty[] = "mofurinPressable";
// What a live label's text is about ("あなた"), said before its news.
constexpr char kHeadingProperty[] = "mofurinLiveHeading";
// A live label's text as last read out, and what was new in it.
constexpr char kReadProperty[] = "mofurinLiveRead";
constexpr char kNewsProperty[] = "mofurinLiveNews";

// What a new text adds to the one read out before: a message that grows
// ("…の頭突き！！" then "…に9のダメージ！！") is read a line at a time.
QString newsIn(const QString& before, const QString& now) {
  const QString news = !before.isEmpty() && now.startsWith(before) ? now.mid(before.size()) : now;
  return news.trimmed();
}

// A label whose every change is read out: a notification that shows again
// with the news of each new text, which screen readers speak wherever the
// focus is. Its description and its text are the whole text; each change
// also comes as a text event that carries the news itself.
class LiveLabel : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LiveLabel(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  // Read only, no caret, no selection: the text and its length.
  QString text(int start, int end) const override { return whole().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(whole().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  QString text(QAccessible::Text t) const override {
    const auto* label = static_cast<const QLabel*>(widget());
    if (t == QAccessible::Description) return label->text();
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const QString heading = label->property(kHeadingProperty).toString();
    const QString news = label->property(kNewsProperty).toString();
    return heading.isEmpty() ? news : heading + u'\u3000' + news;
  }

 private:
  QString whole() const { return static_cast<const QLabel*>(widget())->text(); }
};

// A picture the player clicks (a starter to choose) can be pressed by a
// screen reader too: the press arrives as the click would.
class PressablePicture : public QAccessibleWidget {
 public:
  explicit PressablePicture(QWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
  QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    // Posted, so that a box the click opens does not hold up the reader.
    QWidget* w = widget();
    const QPointF centre = QRectF(w->rect()).center();
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, centre, w->mapToGlobal(centre),
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  }
};

// One of a group of option buttons. The toolkit calls it a check box, since
// the game, not the toolkit, keeps only one of the group selected.
class OptionButton : public QAccessibleWidget {
 public:
  explicit OptionButton(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
    return button()->text().remove(u'&');
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = button()->isChecked();
    return s;
  }
  QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      button()->animateClick();  // as a click: a box it opens does not hold up the reader
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* gameAccessible(const QString&, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(object);
  const QVariant role = w->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  const auto r = static_cast<QAccessible::Role>(role.toInt());
  if (r == QAccessible::Notification && qobject_cast<QLabel*>(w)) return new LiveLabel(w);
  if (r == QAccessible::RadioButton) return new OptionButton(w);
  if (r == QAccessible::Graphic && w->property(kPressableProperty).toBool()) return new PressablePicture(w);
  return new QAccessibleWidget(w, r);
}

void setRole(QWidget& q, QAccessible::Role role) { q.setProperty(kRoleProperty, static_cast<int>(role)); }

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(gameAccessible);
}

void publishAsWindow(QWidget& window) { setRole(window, QAccessible::Window); }

void publishRole(const Widget& w, QWidget& q) {
  if (w.kind() == WidgetKind::PictureBox) {
    setRole(q, QAccessible::Graphic);
    q.setProperty(kPressableProperty, static_cast<bool>(w.onClick));
  }
  if (w.kind() == WidgetKind::Label && w.live()) setRole(q, QAccessible::Notification);
  if (w.kind() == WidgetKind::OptionButton) setRole(q, QAccessible::RadioButton);
}

void publishName(const Widget& w, QWidget& q, const QString& shownName) {
  if (w.live()) {
    // Its name follows its text; the name given is only said before it.
    q.setProperty(kHeadingProperty, w.accessibleName() == w.caption() ? QString() : shownName);
    return;
  }
  // A label and a button say their own text; the toolkit keeps that current.
  const bool saysItsText = w.accessibleName() == w.caption() && w.kind() != WidgetKind::PictureBox;
  const QString name = saysItsText ? QString() : shownName;
  if (q.accessibleName() != name) q.setAccessibleName(name);
  if (w.kind() == WidgetKind::PictureBox && q.accessibleDescription() != name) q.setAccessibleDescription(name);
}

void followPicksFromReaders(QComboBox& list, std::function<void(int)> pick) {
  QAbstractItemView* items = list.view();
  QObject::connect(items->selectionModel(), &QItemSelectionModel::selectionChanged, &list,
                   [&list, items, pick = std::move(pick)](const QItemSelection& selected) {
                     // While the list is open the player's own keys and clicks pick.
                     if (items->isVisible() || selected.indexes().isEmpty()) return;
                     const int row = selected.indexes().constFirst().row();
                     if (row != list.currentIndex()) pick(row);
                   });
}

void announceChange(QWidget& q, const QString& text) {
  const QString before = q.property(kReadProperty).toString();
  q.setProperty(kNewsProperty, newsIn(before, text));
  q.setProperty(kReadProperty, text);
  if (!QAccessible::isActive() || !q.isVisible()) return;
  if (!before.isEmpty() && text.startsWith(before)) {
    QAccessibleTextInsertEvent added(&q, static_cast<int>(before.size()), text.mid(before.size()));
    QAccessible::updateAccessibility(&added);
  } else {
    QAccessibleTextUpdateEvent replaced(&q, 0, before, text);
    QAccessible::updateAccessibility(&replaced);
  }
  QAccessibleEvent shown(&q, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace mofurin::platform
