#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "QtGame.h"
#include "QtPrinters.h"
#include "platform/Form.h"
#include "platform/FormManager.h"
#include "platform/Widgets.h"

using namespace mofurin;
using namespace mofurin::platform;
using namespace mofurin::test;

namespace {

// A screen with one widget of every kind, shown in a real window.
class Sampler : public Form {
 public:
  explicit Sampler(Platform& p) : Form(p, "Sampler") {
    box.setCaption("枠");
    box.setGeometry(100, 100, 3000, 1500);
    inside.setParent(&box);
    inside.setGeometry(150, 300, 1200, 300);
    inside.setCaption("中");
    text.setMaxLength(4);
    bar.setRange(1, 400);
    list.addItem("一");
    list.addItem("二");
    options[0].setSelected(true);
    memo.setMultiLine(true);
    memo.setReadOnly(true);
  }
  Frame box{*this, "box"};
  Button inside{*this, "inside"};
  Label label{*this, "label"};
  TextBox text{*this, "text"};
  TextBox memo{*this, "memo"};
  ComboBox list{*this, "list"};
  ScrollBar bar{*this, "bar"};
  CheckBox check{*this, "check"};
  WidgetArray<OptionButton> options{*this, "options", 2};
};

class QtViews : public ::testing::Test {
 protected:
  void SetUp() override {
    g.ctx.forms.define("Sampler", [this] { return std::make_unique<Sampler>(g.ctx.platform); });
    screen = static_cast<Sampler*>(&g.ctx.forms.show("Sampler"));
    g.settle();
    window = g.window("Sampler");
    ASSERT_NE(window, nullptr);
  }
  template <class Q>
  Q* find(const QString& text = {}) {
    for (Q* q : window->findChildren<Q*>()) {
      if constexpr (requires { q->text(); }) {
        if (text.isEmpty() || q->text() == text) return q;
      } else {
        return q;
      }
    }
    return nullptr;
  }

  QtGame g;
  Sampler* screen = nullptr;
  QWidget* window = nullptr;
};

}  // namespace

TEST_F(QtViews, WhatTheScreenSetsIsWhatThePlayerSees) {
  screen->label.setCaption("一行目\r\n二行目\\");
  screen->memo.setText("あ\r\nい");
  screen->inside.setCaption("A&B");
  screen->setCaption("見出し");
  EXPECT_EQ(find<QLabel>("一行目\n二行目\u00A5")->text(), "一行目\n二行目\u00A5");
  EXPECT_EQ(find<QPlainTextEdit>()->toPlainText(), "あ\nい");
  EXPECT_EQ(find<QPushButton>()->text(), "A&&B");
  EXPECT_EQ(window->windowTitle(), "見出し");
  EXPECT_EQ(find<QPushButton>()->parentWidget(), find<QGroupBox>());
  EXPECT_EQ(find<QPushButton>()->geometry(), QRect(10, 20, 80, 20));
  screen->inside.setVisible(false);
  EXPECT_TRUE(find<QPushButton>()->isHidden());
}

TEST_F(QtViews, WhatThePlayerDoesReachesTheScreen) {
  int changes = 0, picks = 0, clicks = 0;
  screen->text.onChange = [&] { ++changes; };
  screen->list.onClick = [&] { ++picks; };
  screen->inside.onClick = [&] { ++clicks; };

  QLineEdit* edit = find<QLineEdit>();
  edit->setFocus();
  edit->insert("123456");  // the box keeps four characters, as the screen asked
  EXPECT_EQ(screen->text.text(), "1234");
  EXPECT_EQ(changes, 1);
  // A pasted line break never enters a one-line box.
  edit->setText(QString());
  edit->insert("ab\ncd");
  EXPECT_FALSE(screen->text.text().contains(u'\n'));

  QComboBox* combo = find<QComboBox>();
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  EXPECT_EQ(screen->list.text(), "二");
  EXPECT_EQ(picks, 1);

  QScrollBar* bar = nullptr;  // not the scroll bars inside the multi-line box
  for (QScrollBar* b : window->findChildren<QScrollBar*>()) {
    if (b->maximum() == 400) bar = b;
  }
  ASSERT_NE(bar, nullptr);
  bar->setValue(250);
  EXPECT_EQ(screen->bar.value(), 250);

  find<QCheckBox>()->click();
  EXPECT_TRUE(screen->check.checked());

  // A selected option stays selected when clicked again; another one takes over.
  QList<QRadioButton*> radios = window->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 2);
  radios[0]->click();
  EXPECT_TRUE(radios[0]->isChecked());
  EXPECT_TRUE(screen->options[0].selected());
  radios[1]->click();
  EXPECT_FALSE(radios[0]->isChecked());
  EXPECT_TRUE(screen->options[1].selected());

  find<QPushButton>()->click();
  EXPECT_EQ(clicks, 1);
  screen->setEnabled(false);
  EXPECT_FALSE(window->isEnabled());
}

TEST_F(QtViews, AClosedScreensWindowForgetsItsWidgets) {
  QPointer<QWidget> gone = window;
  g.ctx.forms.close(*screen);
  g.settle();
  EXPECT_TRUE(gone.isNull());
}
