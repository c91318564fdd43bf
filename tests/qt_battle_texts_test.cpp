#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "QtGame.h"
#include "QtPrinters.h"
#include "battle/BattleTexts.h"
#include "game/Techniques.h"
#include "net/NetworkBout.h"
#include "platform/Language.h"
#include "screens/BattleScreen.h"
#include "screens/LinkWindow.h"

using namespace mofurin;
using namespace mofurin::test;

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

// The largest values the game allows: 14 full-width characters of name, a
// level past what the name line shows, every body value at the cap and the
// longest technique in every slot.
void setExtremes(GameState& game) {
  for (Side s : {P, O}) {
    game.levels[s] = 999999;
    for (int p = 0; p < kPartCount; ++p) {
      game.partHp(p, s) = kValueCap;
      game.partAttack(p, s) = kValueCap;
      game.partDefence(p, s) = kValueCap;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      game.techniqueNames(slot, s) = QStringLiteral("L--必殺かかと落とし");
      game.techniqueCosts(slot, s) = 999999;
    }
  }
  game.characterIndex[P] = 0;
  game.characterIndex[O] = 1;
  game.battleKind = 2;
  game.messageSpeed = 300;
}

const QString kLongestName = QStringLiteral("モフリンモフリンモフリンモフ");

// What the widget draws must lie inside it, measured with its own font.
void expectWhole(QLabel* label) {
  const QSize needed =
      label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width())) : label->sizeHint();
  EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
  EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
}

void expectWhole(QPlainTextEdit* box) {
  EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << box->toPlainText().toStdString();
  EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << box->toPlainText().toStdString();
  EXPECT_EQ(box->document()->lineCount(), box->document()->blockCount()) << "a row wraps";
}

void expectWhole(QComboBox* list) {
  QStyleOptionComboBox option;
  option.initFrom(list);
  const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
  EXPECT_LE(list->fontMetrics().horizontalAdvance(list->currentText()), field.width())
      << list->currentText().toStdString();
}

// Siblings that show side by side never lie over each other, nor outside
// what holds them.
void expectApart(QWidget* container) {
  QList<QWidget*> shown;
  for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isVisible()) shown << w;
  }
  for (int i = 0; i < shown.size(); ++i) {
    EXPECT_TRUE(container->rect().contains(shown[i]->geometry())) << shown[i]->metaObject()->className();
    for (int j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << shown[i]->metaObject()->className() << " and " << shown[j]->metaObject()->className();
    }
  }
}

// The screen in each of the game's languages.
class QtBattleTexts : public ::testing::TestWithParam<platform::Language> {
 protected:
  void SetUp() override {
    application();
    ASSERT_TRUE(platform::useLanguage(GetParam()));
  }
  void TearDown() override { platform::useLanguage(platform::Language::Japanese); }
};

}  // namespace

TEST_P(QtBattleTexts, EveryTextShowsWholeAtTheLargestValues) {
  QtGame g;
  setExtremes(g.ctx.game);
  Form1& battle = g.ctx.forms.show<Form1>();
  g.ctx.game.fighterName[P] = kLongestName;
  g.ctx.game.fighterName[O] = kLongestName;  // a network opponent's name
  while (!battle.HV125.visible()) g.settle();
  battle.WAZA.setListIndex(0);
  battle.Combo1.setListIndex(0);
  QWidget* window = g.window("Form1");
  ASSERT_NE(window, nullptr);
  QElapsedTimer waited;  // a few display ticks show the picked costs
  waited.start();
  while (waited.elapsed() < 100) g.settle();

  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->isVisible()) expectWhole(label);
  }
  QList<QPlainTextEdit*> tables = window->findChildren<QPlainTextEdit*>();
  ASSERT_EQ(tables.size(), 2);
  for (QPlainTextEdit* table : tables) expectWhole(table);
  for (QComboBox* list : window->findChildren<QComboBox*>()) {
    if (list->isVisible()) expectWhole(list);
  }

  // A name on one line; a part never apart from its "(A)" or its figure.
  // (the opponent's greeting names both fighters on two lines)
  const QString greeting = introGreeting(g.ctx.game).section(QStringLiteral("\r\n"), 0, 0).remove(kLongestName);
  const QString hpHeading = hpLine(g.ctx.game, P).section(u' ', 0, 0);
  QStringList hpLines;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->text().contains(kLongestName) && !label->text().contains(greeting)) {
      EXPECT_FALSE(label->wordWrap() || label->text().contains('\n')) << label->text().toStdString();
    }
    if (label->text().startsWith(hpHeading)) hpLines << label->text().split('\n');
  }
  ASSERT_FALSE(hpLines.isEmpty());
  for (const QString& line : hpLines) {
    EXPECT_FALSE(line.front().isDigit() || line.endsWith(')')) << line.toStdString();
  }
  EXPECT_EQ(tables[0]->document()->blockCount() + tables[1]->document()->blockCount(), 12 + 4);

  QWidget* client = window->findChildren<QGroupBox*>().front()->parentWidget();
  expectApart(client);
  for (QGroupBox* frame : window->findChildren<QGroupBox*>()) expectApart(frame);
}

INSTANTIATE_TEST_SUITE_P(Languages, QtBattleTexts,
                         ::testing::Values(platform::Language::Japanese, platform::Language::English),
                         [](const auto& info) { return platform::languageCode(info.param).toStdString(); });

// Whatever the link says of why it could not be made fits the link
// window's status line, whole, in either language.
TEST_P(QtBattleTexts, EveryReasonALinkGivesShowsWhole) {
  QtGame g;
  Form11& link = g.ctx.forms.show<Form11>();
  QWidget* window = g.window("Form11");
  ASSERT_NE(window, nullptr);
  using Problem = platform::Transport::Problem;
  for (int p = static_cast<int>(Problem::None); p <= static_cast<int>(Problem::Cut); ++p) {
    const QString why = whyNotConnectedText(static_cast<Problem>(p));
    link.Label1.setCaption(why);
    g.settle();
    QLabel* shown = nullptr;
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text() == why) shown = label;
    }
    ASSERT_NE(shown, nullptr) << why.toStdString();
    expectWhole(shown);
  }
}
