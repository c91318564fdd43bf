#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include "QtGame.h"
#include "QtPrinters.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/ToolkitLanguage.h"

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

QPushButton* buttonCalled(QWidget* window, const QString& caption) {
  for (QPushButton* b : window->findChildren<QPushButton*>()) {
    if (b->text() == caption) return b;
  }
  return nullptr;
}

void clickCommand(QtGame& g, const char* screen, const char* name) {
  static_cast<platform::Button*>(g.ctx.forms.find(screen)->findWidget(name, -1))->click();
  g.settle();
}

// From the title to the hub of a new game with the first starter.
void toHub(QtGame& g) {
  g.ctx.start();
  g.settle();
  menuAction(g.window("Form2"), "はじめから")->trigger();
  g.settle();
  press(focusOrWindow(g.window("Form3")), Qt::Key_1);
  g.dialogs.queueAnswer(platform::Answer::OK);
  clickCommand(g, "Form3", "Command1");
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
  toHub(g);
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
  // The amount box has the keyboard and is typed over: it is full.
  auto* amount = qobject_cast<QLineEdit*>(shop->focusWidget());
  ASSERT_NE(amount, nullptr);
  EXPECT_EQ(amount->selectedText(), "000000");
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


TEST(QtWindows, TheTitleOpensWithItsFirstMenuEntryLit) {
  QtGame g;
  g.ctx.start();
  g.settle();
  QAction* first = menuAction(g.window("Form2"), "はじめから");
  ASSERT_NE(first, nullptr);
  auto* menu = qobject_cast<QMenu*>(first->parent());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->activeAction(), first);
}

// Back on the hub, whether it stayed behind a window or was made afresh,
// the keyboard is on the command the player used last.
TEST(QtWindows, TheHubGivesTheKeyboardBackToTheLastCommand) {
  QtGame g;
  toHub(g);
  EXPECT_EQ(g.window("Form4")->focusWidget(), buttonCalled(g.window("Form4"), "トーナメント"));
  clickCommand(g, "Form4", "HPUP");
  clickCommand(g, "Form5", "BYE");
  EXPECT_EQ(g.window("Form4")->focusWidget(), buttonCalled(g.window("Form4"), "ＨＰ回復"));
  clickCommand(g, "Form4", "tabi");
  clickCommand(g, "Form9", "Command1");
  EXPECT_EQ(g.window("Form4")->focusWidget(), buttonCalled(g.window("Form4"), "殿堂部屋"));
}

TEST(QtWindows, AMessageBoxIsWideEnoughForItsTitle) {
  application();
  platform::QtDialogs dialogs(QDir::tempPath());
  const QString title = QStringLiteral("殿堂データを書き込めませんでした　モフリンＧＰ");
  int width = 0;
  // Inside the application's own loop: a game ended by an earlier test
  // leaves every loop outside it ending at once.
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        width = box->width();
        box->done(QMessageBox::Ok);
      }
    });
    dialogs.message({QStringLiteral("OK"), platform::Buttons::OK, platform::Icon::None, title});
    QCoreApplication::exit(0);
  });
  QCoreApplication::exec();
  // The title bar holds the desktop's icon and three buttons beside the title.
  EXPECT_GE(width, QFontMetrics(QApplication::font()).horizontalAdvance(title) + 100);
}

namespace {

struct FileRow {
  QStringList texts;  // name, size, type, date, as the dialog shows them
  bool whole = true;  // every column as wide as what it shows
};

// Opens the game's own file dialog on `folder` and reads its one file's row.
FileRow fileDialogRow(const QString& folder) {
  platform::QtDialogs dialogs(folder);
  FileRow row;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* view = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
    if (!view || !view->model() || view->model()->rowCount(view->rootIndex()) == 0) return;
    QCoreApplication::processEvents();
    for (int c = 0; c < 4; ++c) {
      const QString text = view->model()->index(0, c, view->rootIndex()).data().toString();
      const int icon = c == 0 ? view->iconSize().width() + 8 : 0;
      row.texts << text;
      row.whole = row.whole && view->columnWidth(c) > view->fontMetrics().horizontalAdvance(text) + icon &&
                  view->columnWidth(c) >= view->header()->sectionSizeHint(c);
    }
    poll.stop();
    dialog->reject();
  });
  QTimer::singleShot(0, [&] {
    poll.start();
    dialogs.openFile(QStringLiteral("データ|*.dat"), folder);
    QCoreApplication::exit(0);
  });
  QCoreApplication::exec();
  return row;
}

}  // namespace

TEST(QtWindows, FileDialogsShowEveryColumnWholeInTheGamesLanguage) {
  application();
  QTemporaryDir folder;
  QFile file(folder.filePath(QStringLiteral("とても長い名前のモフリンのセーブデータ.dat")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(123456, 'x'));
  file.close();
  const QDateTime modified(QDate(2026, 3, 4), QTime(5, 6));
  ASSERT_TRUE(file.open(QIODevice::Append) && file.setFileTime(modified, QFileDevice::FileModificationTime));
  file.close();
  for (const auto& [language, locale] : {std::pair{"ja", QLocale(QLocale::Japanese, QLocale::Japan)},
                                         std::pair{"en", QLocale(QLocale::English, QLocale::UnitedStates)}}) {
    SCOPED_TRACE(language);
    platform::loadToolkitTexts(QString::fromLatin1(language));
    const FileRow row = fileDialogRow(folder.path());
    ASSERT_EQ(row.texts.size(), 4);
    EXPECT_TRUE(row.whole) << row.texts.join(" | ").toStdString();
    EXPECT_EQ(row.texts[3], locale.toString(modified, QLocale::ShortFormat));
  }
  platform::loadToolkitTexts(QStringLiteral("ja"));
}

// The menu bar's overflow button reads its picture only when drawn, and
// then shows the style's own.
TEST(QtWindows, TheMenuBarsOverflowButtonKeepsItsPicture) {
  application();
  const auto which = QStyle::SP_ToolBarHorizontalExtensionButton;
  const QIcon late = QApplication::style()->standardIcon(which);
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  ASSERT_FALSE(late.isNull());
  EXPECT_EQ(late.pixmap(16).toImage(), fusion->standardIcon(which).pixmap(16).toImage());
}

// Tab goes down the hub's columns in the order a player reads them: the
// options, the commands, the network bout, then the help bar at the bottom.
TEST(QtWindows, TheHubsTabOrderFollowsItsLayout) {
  QtGame g;
  toHub(g);
  QWidget* hub = g.window("Form4");
  QStringList buttons;
  QWidget* w = buttonCalled(hub, "トーナメント");
  do {
    if (auto* b = qobject_cast<QPushButton*>(w)) buttons << b->text();
    w = w->nextInFocusChain();
  } while (w != buttonCalled(hub, "トーナメント"));
  EXPECT_EQ(buttons, (QStringList{"トーナメント", "ダミーと対決", "ＨＰ回復", "ＳＡＶＥ", "殿堂部屋", "リセット", "招待コードを作る",
                                  "さがす", "ネットバトル", "ヘルプコマンド・・・・・Ｆ１で見れるよ"}));
}
