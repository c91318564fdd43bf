#include "QtPrinters.h"
#include "QtGame.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

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
