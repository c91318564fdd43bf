#include <gtest/gtest.h>

#include "Folders.h"
#include "QtPrinters.h"
#include "platform/Form.h"
#include "platform/FormManager.h"
#include "platform/Keys.h"
#include "platform/Timer.h"
#include "platform/Widgets.h"
#include "platform/headless/HeadlessPlatform.h"

using namespace mofurin::platform;
using mofurin::test::unusableFolder;

namespace {

class Panel : public Form {
 public:
  explicit Panel(Platform& p, QString name = "Panel") : Form(p, std::move(name)) {}
  Frame box{*this, "box"};
  WidgetArray<OptionButton> choice{*this, "choice", 3};
  OptionButton loose{*this, "loose"};
  CheckBox check{*this, "check"};
  ComboBox list{*this, "list"};
  TextBox text{*this, "text"};
  ScrollBar bar{*this, "bar"};
  Button go{*this, "go"};
  Timer fast{*this, "fast", 1, false};
  Timer slow{*this, "slow", 300, false};
  std::vector<QString> log;
  int loads = 0, unloads = 0;

  void Form_Load() override { ++loads; }
  void Form_Unload() override { ++unloads; }
  void Form_KeyDown(int code) override { log.push_back(QStringLiteral("form %1").arg(code)); }
};

class PlatformTest : public ::testing::Test {
 protected:
  VirtualClock clock;
  HeadlessPlatform platform{clock, unusableFolder(), unusableFolder()};
};

}  // namespace

TEST_F(PlatformTest, TimersFireInTimeOrderAndATickFinishesAfterStoppingItself) {
  Panel panel(platform);
  std::vector<QString> order;
  panel.fast.setInterval(100);
  panel.fast.onTimer = [&] {
    order.push_back("fast");
    panel.fast.stop();
    order.push_back("fast still running its tick");
  };
  panel.slow.onTimer = [&] { order.push_back("slow"); };
  panel.slow.start();
  panel.fast.start();
  clock.advance(650);
  EXPECT_EQ(order, (std::vector<QString>{"fast", "fast still running its tick", "slow", "slow"}));
  EXPECT_EQ(clock.now(), 650);
}

TEST_F(PlatformTest, ReTimingARunningTimerRestartsItsCountdown) {
  Panel panel(platform);
  int ticks = 0;
  panel.slow.onTimer = [&] { ++ticks; };
  panel.slow.start();
  clock.advance(200);
  panel.slow.setInterval(3000);
  clock.advance(2999);
  EXPECT_EQ(ticks, 0);
  clock.advance(1);
  EXPECT_EQ(ticks, 1);
}

TEST_F(PlatformTest, TimersOfTheSameMomentKeepTheOrderTheyWereStarted) {
  Panel panel(platform);
  std::vector<QString> order;
  panel.fast.setInterval(300);
  panel.slow.onTimer = [&] { order.push_back("slow"); };
  panel.fast.onTimer = [&] { order.push_back("fast"); };
  panel.slow.start();
  panel.fast.start();
  clock.advance(300);
  EXPECT_EQ(order, (std::vector<QString>{"slow", "fast"}));
}

TEST_F(PlatformTest, AdvanceUntilStopsAtTheFirstTickThatMakesItTrue) {
  Panel panel(platform);
  int ticks = 0;
  panel.fast.onTimer = [&] { ++ticks; };
  panel.fast.start();
  // A 1 ms timer ticks once a display frame, as the real windows deliver it.
  EXPECT_TRUE(clock.advanceUntil([&] { return ticks == 25; }, 1000));
  EXPECT_EQ(clock.now(), 25 * 16);
  EXPECT_FALSE(clock.advanceUntil([] { return false; }, 10));
  EXPECT_EQ(clock.now(), 25 * 16 + 10);
}

TEST_F(PlatformTest, OptionButtonsInOneContainerFormOneGroup) {
  Panel panel(platform);
  panel.setVisibleState(true);
  panel.loose.setParent(&panel.box);
  int clicks = 0;
  panel.choice[1].onClick = [&] { ++clicks; };
  panel.loose.setSelected(true);
  panel.choice[0].setSelected(true);
  panel.choice[1].click();
  EXPECT_FALSE(panel.choice[0].selected());
  EXPECT_TRUE(panel.choice[1].selected());
  EXPECT_TRUE(panel.loose.selected());  // another container, another group
  EXPECT_EQ(clicks, 1);
  panel.choice[1].click();  // clicking the selected one still reports the click
  EXPECT_EQ(clicks, 2);
}

TEST_F(PlatformTest, WidgetsReportChangesOnlyWhenSomethingChanges) {
  Panel panel(platform);
  panel.setVisibleState(true);
  int textChanges = 0, barChanges = 0, checkClicks = 0, picks = 0;
  panel.text.onChange = [&] { ++textChanges; };
  panel.bar.onChange = [&] { ++barChanges; };
  panel.check.onClick = [&] { ++checkClicks; };
  panel.list.onClick = [&] { ++picks; };

  panel.text.setMaxLength(6);
  panel.text.type("1234567890");
  EXPECT_EQ(panel.text.text(), "123456");
  panel.text.type("123456");
  panel.text.setText("a longer text set by the screen");  // the limit is the player's
  EXPECT_EQ(textChanges, 2);

  panel.bar.setRange(1, 400);
  EXPECT_EQ(panel.bar.value(), 1);
  panel.bar.setValue(900);
  EXPECT_EQ(panel.bar.value(), 400);
  panel.bar.setValue(400);
  EXPECT_EQ(barChanges, 2);

  panel.check.click();
  panel.check.setChecked(true);
  EXPECT_EQ(checkClicks, 1);

  panel.list.addItem("a");
  panel.list.addItem("b");
  EXPECT_EQ(panel.list.text(), "");
  EXPECT_TRUE(panel.list.pick("b"));
  EXPECT_FALSE(panel.list.pick("c"));
  EXPECT_EQ(panel.list.text(), "b");
  panel.list.clear();
  EXPECT_EQ(panel.list.text(), "");
  EXPECT_EQ(picks, 1);
}

TEST_F(PlatformTest, WhatAPlayerCannotReachDoesNothing) {
  Panel panel(platform);
  int clicks = 0;
  panel.go.onClick = [&] { ++clicks; };
  panel.go.click();  // the screen is not shown
  panel.setVisibleState(true);
  panel.go.setEnabled(false);
  panel.go.click();
  panel.go.setEnabled(true);
  panel.setEnabled(false);
  panel.go.click();
  panel.setEnabled(true);
  panel.go.setParent(&panel.box);
  panel.box.setVisible(false);
  panel.go.click();
  EXPECT_EQ(clicks, 0);
  panel.box.setVisible(true);
  panel.go.click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(PlatformTest, KeysGoToTheScreenFirstOnlyWhenItPreviewsThem) {
  Panel panel(platform);
  panel.setVisibleState(true);
  panel.go.onKeyDown = [&](int code) { panel.log.push_back(QStringLiteral("go %1").arg(code)); };
  panel.go.keyDown(Key::Enter);
  panel.setKeyPreview(true);
  panel.go.keyDown(Key::Up);
  panel.keyDown(nullptr, Key::A);
  EXPECT_EQ(panel.log, (std::vector<QString>{"go 13", "form 38", "go 38", "form 65"}));
}

TEST_F(PlatformTest, F1OpensTheHelpAtTheScreensTopic) {
  Panel panel(platform);
  panel.setHelpTopic("shop");
  panel.keyDown(nullptr, Key::F1);
  EXPECT_EQ(platform.helpRequests(), 1);
  EXPECT_EQ(platform.lastHelpTopic(), "shop");
  EXPECT_TRUE(panel.log.empty());
}

TEST_F(PlatformTest, AClosedScreenStopsItsTimersAndIsCreatedAfreshNextTime) {
  FormManager screens(platform);
  std::vector<QString> trace;
  platform.setTracer([&](const QString& line) { trace.push_back(line); });
  screens.define("Panel", [this] { return std::make_unique<Panel>(platform); });
  auto* first = static_cast<Panel*>(&screens.show("Panel"));
  int ticks = 0;
  first->fast.onTimer = [&] { ++ticks; };
  first->fast.start();
  clock.advance(32);
  screens.close(*first);
  EXPECT_EQ(first->unloads, 1);  // still alive until the current event is over
  clock.advance(32);
  EXPECT_EQ(ticks, 2);
  auto* second = static_cast<Panel*>(&screens.show("Panel"));
  EXPECT_EQ(second->loads, 1);
  EXPECT_EQ(trace, (std::vector<QString>{"[show Panel]", "[close Panel]", "[show Panel]"}));
}

TEST_F(PlatformTest, AfterTheEndNothingShowsAndNoTimerTicks) {
  FormManager screens(platform);
  screens.define("Panel", [this] { return std::make_unique<Panel>(platform); });
  screens.define("Other", [this] { return std::make_unique<Panel>(platform, "Other"); });
  auto& panel = static_cast<Panel&>(screens.show("Panel"));
  int ticks = 0;
  panel.fast.onTimer = [&] { ++ticks; };
  panel.fast.start();
  screens.endAll();
  screens.show("Other");
  clock.advance(100);
  EXPECT_EQ(ticks, 0);
  EXPECT_FALSE(screens.isShown("Other"));
  EXPECT_EQ(panel.unloads, 0);  // the end runs no handler
}

TEST_F(PlatformTest, TheCloseBoxOfADisabledScreenDoesNothingAndTheLastOneEndsTheGame) {
  FormManager screens(platform);
  screens.define("Panel", [this] { return std::make_unique<Panel>(platform); });
  screens.define("Other", [this] { return std::make_unique<Panel>(platform, "Other"); });
  int ends = 0;
  screens.lastWindowClosed = [&] { ++ends; };
  Form& panel = screens.show("Panel");
  Form& other = screens.show("Other");
  panel.setEnabled(false);
  panel.closeRequested();
  EXPECT_TRUE(screens.isShown("Panel"));
  other.closeRequested();
  EXPECT_EQ(ends, 0);
  panel.setEnabled(true);
  panel.closeRequested();
  EXPECT_EQ(ends, 1);
}

TEST_F(PlatformTest, SpaceAndEnterPressTheFocusedButtonAndEnterTheDefaultOne) {
  Panel panel(platform);
  panel.setVisibleState(true);
  int goes = 0;
  panel.go.onClick = [&] { ++goes; };
  EXPECT_TRUE(panel.keyDown(&panel.go, Key::Space));
  EXPECT_TRUE(panel.keyDown(&panel.go, Key::Enter));
  EXPECT_TRUE(panel.keyDown(&panel.check, Key::Space));
  EXPECT_TRUE(panel.check.checked());
  EXPECT_FALSE(panel.keyDown(&panel.text, Key::Enter));  // no default button yet
  panel.setDefaultButton(&panel.go);
  EXPECT_TRUE(panel.keyDown(&panel.text, Key::Enter));
  EXPECT_TRUE(panel.keyDown(nullptr, Key::Enter));
  panel.text.setMultiLine(true);
  EXPECT_FALSE(panel.keyDown(&panel.text, Key::Enter));  // a new line
  panel.go.setVisible(false);
  EXPECT_FALSE(panel.keyDown(nullptr, Key::Enter));
  EXPECT_EQ(goes, 4);
}

TEST_F(PlatformTest, ArrowsMoveInListsAndScrollBarsWithinTheirEnds) {
  Panel panel(platform);
  panel.setVisibleState(true);
  for (const char* item : {"a", "b"}) panel.list.addItem(item);
  for (int i = 0; i < 3; ++i) panel.list.keyDown(Key::Down);
  EXPECT_EQ(panel.list.listIndex(), 1);
  panel.list.keyDown(Key::Up);
  EXPECT_EQ(panel.list.listIndex(), 0);
  panel.bar.setRange(1, 400);
  panel.bar.setSteps(1, 20);
  panel.bar.setValue(300);
  const std::pair<int, int> moves[] = {{Key::Right, 301},  {Key::Left, 300}, {Key::PageDown, 280},
                                       {Key::PageUp, 300}, {Key::Home, 1},   {Key::End, 400}};
  for (auto [key, value] : moves) {
    panel.bar.keyDown(key);
    EXPECT_EQ(panel.bar.value(), value) << key;
  }
}
