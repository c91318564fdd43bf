#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "QtGame.h"
#include "QtPrinters.h"
#include "platform/qt/FormWindow.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

QAction* menuAction(QWidget* window, const QString& text) {
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action;
    }
  }
  return nullptr;
}

}  // namespace

TEST(QtWindows, TheTitleWindowShowsItsCaptionTextsAndMenus) {
  QtGame g;
  g.ctx.start();
  g.settle();
  QWidget* window = g.window("Form2");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "オープニング");
  QStringList labels;
  for (QLabel* label : window->findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("モフリン　ＧＰ"));
  EXPECT_TRUE(labels.contains("アレと似てるなんて言わないでの章"));
  QStringList menus;
  for (QAction* a : window->findChild<QMenuBar*>()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"メニュー", "へるぷ"}));
  ASSERT_NE(menuAction(window, "はじめから"), nullptr);
  ASSERT_NE(menuAction(window, "Ｆ１キーを押してみてください"), nullptr);
}

TEST(QtWindows, ChoosingNewGameFromTheMenuOpensTheStarterWindow) {
  QtGame g;
  g.ctx.start();
  g.settle();
  menuAction(g.window("Form2"), "はじめから")->trigger();
  g.settle();
  EXPECT_EQ(g.window("Form2"), nullptr);
  ASSERT_NE(g.window("Form3"), nullptr);
  EXPECT_EQ(g.window("Form3")->windowTitle(), "モフリン選択");
}

TEST(QtWindows, QuitFromTheMenuEndsTheGameAfterTheFarewell) {
  QtGame g;
  g.ctx.start();
  g.settle();
  menuAction(g.window("Form2"), "終了")->trigger();
  g.settle();
  ASSERT_EQ(g.dialogs.shown().size(), 1u);
  EXPECT_EQ(g.dialogs.shown()[0].title, "おわる");
  EXPECT_TRUE(g.ctx.ended());
  EXPECT_EQ(g.window("Form2"), nullptr);
}

TEST(QtWindows, ClosingTheLastWindowEndsTheGame) {
  QtGame g;
  g.ctx.start();
  g.settle();
  g.window("Form2")->close();
  g.settle();
  EXPECT_TRUE(g.ctx.ended());
}

namespace {

void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent down(QEvent::KeyPress, key, modifiers,
                 key >= Qt::Key_0 && key <= Qt::Key_9 ? QString(QChar(key)) : QString());
  QApplication::sendEvent(target, &down);
}

QWidget* focusOrWindow(QWidget* window) {
  QWidget* focus = QApplication::focusWidget();
  return focus && window->isAncestorOf(focus) ? focus : window;
}

}  // namespace

TEST(QtWindows, TheDigitRowChoosesAStarterButTheKeypadDoesNot) {
  QtGame g;
  g.ctx.start();
  g.settle();
  menuAction(g.window("Form2"), "はじめから")->trigger();
  g.settle();
  QWidget* window = g.window("Form3");
  ASSERT_NE(window, nullptr);
  press(focusOrWindow(window), Qt::Key_3, Qt::KeypadModifier);
  g.settle();
  EXPECT_FALSE(g.ctx.forms.find("Form3")->findWidget("Command1", -1)->enabled());
  press(focusOrWindow(window), Qt::Key_3);
  g.settle();
  EXPECT_TRUE(g.ctx.forms.find("Form3")->findWidget("Command1", -1)->enabled());
  QStringList labels;
  for (QLabel* label : window->findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("名前のデフォルト→"));
}

TEST(QtWindows, TheShopDisablesTheHubWindowAndShowsMoneyWithTheYenSign) {
  QtGame g;
  g.ctx.start();
  g.settle();
  menuAction(g.window("Form2"), "はじめから")->trigger();
  g.settle();
  press(focusOrWindow(g.window("Form3")), Qt::Key_1);
  g.dialogs.queueAnswer(platform::Answer::OK);
  auto* confirm = static_cast<platform::Button*>(g.ctx.forms.find("Form3")->findWidget("Command1", -1));
  confirm->click();
  g.settle();
  QWidget* hub = g.window("Form4");
  ASSERT_NE(hub, nullptr);
  static_cast<platform::Button*>(g.ctx.forms.find("Form4")->findWidget("HPUP", -1))->click();
  g.settle();
  EXPECT_FALSE(hub->isEnabled());
  QWidget* shop = g.window("Form5");
  ASSERT_NE(shop, nullptr);
  QStringList texts;
  for (QLabel* label : hub->findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QString::fromUtf16(u"所持金　100\u00A5")));
  // Enter in the amount box pays; the shop keeps the keyboard there.
  g.dialogs.queueAnswer(platform::Answer::No);
  press(focusOrWindow(shop), Qt::Key_Return);
  g.settle();
  ASSERT_GE(g.dialogs.shown().size(), 2u);
  EXPECT_EQ(g.dialogs.shown()[1].title, "回復");
  shop->close();
  g.settle();
  EXPECT_EQ(g.window("Form5"), nullptr);
  EXPECT_TRUE(hub->isEnabled());
}

TEST(QtWindows, DesktopKeysBecomeTheGamesKeyCodes) {
  using platform::gameKeyCode;
  EXPECT_EQ(gameKeyCode(Qt::Key_3, Qt::NoModifier), 51);
  EXPECT_EQ(gameKeyCode(Qt::Key_3, Qt::KeypadModifier), 99);
  EXPECT_EQ(gameKeyCode(Qt::Key_0, Qt::KeypadModifier), 96);
  EXPECT_EQ(gameKeyCode(Qt::Key_A, Qt::ShiftModifier), 65);
  EXPECT_EQ(gameKeyCode(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(gameKeyCode(Qt::Key_Return, Qt::NoModifier), 13);
  EXPECT_EQ(gameKeyCode(Qt::Key_Up, Qt::NoModifier), 38);
  EXPECT_EQ(gameKeyCode(Qt::Key_Down, Qt::KeypadModifier), 40);
  EXPECT_EQ(gameKeyCode(Qt::Key_F1, Qt::NoModifier), 112);
  EXPECT_EQ(gameKeyCode(Qt::Key_Shift, Qt::ShiftModifier), -1);
}
