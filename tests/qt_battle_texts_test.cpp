#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QXmlStreamReader>
#include <QtMath>

#include "QtGame.h"
#include "QtPrinters.h"
#include "battle/BattleTexts.h"
#include "game/Techniques.h"
#include "net/NetworkBout.h"
#include "platform/Language.h"
#include "screens/BattleScreen.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"
#include "screens/Selection.h"

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

namespace {

// A source text of the catalogue, where a carriage return is written as
// <byte value="xd"/>.
QString sourceText(QXmlStreamReader& xml) {
  QString text;
  while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != u"source") {
    if (xml.isCharacters()) text += xml.text();
    if (xml.isStartElement()) text += QChar(xml.attributes().value(QStringLiteral("value")).mid(1).toUInt(nullptr, 16));
    if (xml.atEnd()) break;
  }
  return text;
}

// Every text the link can show: each with the longest name where it names
// the other fighter, and each as an invitation's end says it, with the hint
// for the next bout after it. They are read from the catalogue of the
// game's texts, so a new one is laid out as soon as it is translated.
QStringList everyLinkText() {
  QFile catalogue(QStringLiteral(MOFURIN_SOURCE_DIR "/translations/mofurin_en.ts"));
  EXPECT_TRUE(catalogue.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&catalogue);
  QString context;
  QStringList texts;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"name") context = xml.readElementText();
    if (xml.name() != u"source" || (context != u"NetworkBout" && context != u"Form11")) continue;
    const QByteArray source = sourceText(xml).toUtf8();
    if (source.contains('\n')) continue;  // a message box's, not a status
    texts << QCoreApplication::translate(context.toUtf8().constData(), source.constData()).replace("%1", kLongestName);
  }
  const QString hint =
      QCoreApplication::translate("NetworkBout", "もう一度遊ぶには新しい招待コードをもらってください。");
  for (qsizetype i = 0, n = texts.size(); i < n; ++i) texts << texts[i] + hint;
  EXPECT_GT(texts.size(), 80);
  return texts;
}

// A caption broken into lines loses the spaces it was broken at.
QString withoutSpaces(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

// A button's caption lies inside the room its frame leaves.
void expectWhole(QPushButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
  const QRect needed = button->fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
  EXPECT_LE(needed.width(), room.width()) << button->text().toStdString();
  EXPECT_LE(needed.height(), room.height()) << button->text().toStdString();
}

}  // namespace

// Whatever the link says fits the link window's status line and the hub's
// bottom line, whole, in either language (and at the scales the test runs
// at again).
TEST_P(QtBattleTexts, EveryTextOfTheLinkShowsWhole) {
  QtGame g;
  g.ctx.game.fighterName[P] = kLongestName;
  Form11& link = g.ctx.forms.show<Form11>();
  Form4& hub = g.ctx.forms.show<Form4>();
  QWidget* linkWindow = g.window("Form11");
  QWidget* hubWindow = g.window("Form4");
  ASSERT_TRUE(linkWindow && hubWindow);
  for (const QString& text : everyLinkText()) {
    link.Label1.setCaption(text);
    hub.Command1.setCaption(text);
    g.settle();
    int shown = 0;
    for (QLabel* label : linkWindow->findChildren<QLabel*>()) {
      if (label->text() == text && ++shown) expectWhole(label);
    }
    for (QPushButton* button : hubWindow->findChildren<QPushButton*>()) {
      if (withoutSpaces(button->text()) == withoutSpaces(text) && ++shown) expectWhole(button);
    }
    EXPECT_EQ(shown, 2) << text.toStdString();
  }
}

// A frame's title is drawn whole: no stroke of it reaches the end of the
// room the frame gives it, where it would be cut (the starters' titles at
// high density were).
TEST_P(QtBattleTexts, EveryFrameTitleShowsWhole) {
  QtGame g;
  g.ctx.forms.show<Form3>();
  g.ctx.forms.show<Form4>();
  g.settle();
  int titles = 0;
  for (const char* screen : {"Form3", "Form4"}) {
    for (QGroupBox* frame : g.window(screen)->findChildren<QGroupBox*>()) {
      QStyleOptionGroupBox option;
      option.initFrom(frame);
      option.text = frame->title();
      option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
      const QRect room = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
      const QImage drawn = frame->grab().toImage();
      const qreal scale = drawn.devicePixelRatio();
      const int lastColumn = qFloor((room.right() + 1) * scale) - 1;
      int inked = 0;
      for (int y = qCeil(room.top() * scale); y < qFloor((room.bottom() + 1) * scale); ++y) {
        if (qGray(drawn.pixel(lastColumn, y)) < 128) ++inked;
      }
      EXPECT_EQ(inked, 0) << frame->title().toStdString();
      ++titles;
    }
  }
  EXPECT_GE(titles, 6);
}
