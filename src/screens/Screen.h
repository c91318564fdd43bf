#pragma once

#include <QCoreApplication>

#include "context/GameContext.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "platform/Form.h"
#include "platform/Timer.h"
#include "platform/Widgets.h"
#include "screens/ScreenNames.h"

namespace mofurin {

using platform::Align;
using platform::Answer;
using platform::Button;
using platform::Buttons;
using platform::CheckBox;
using platform::ComboBox;
using platform::Font;
using platform::Frame;
using platform::Icon;
using platform::Label;
using platform::MenuItem;
using platform::OptionButton;
using platform::Picture;
using platform::PictureBox;
using platform::rgb;
using platform::ScrollBar;
using platform::Shape;
using platform::TextBox;
using platform::Timer;
using platform::WidgetArray;
using platform::Wrap;

// A screen of the game: a form that sees the game context.
class Screen : public platform::Form {
 public:
  Screen(GameContext& context, const QString& name) : Form(context.platform, name), ctx(context) {}

 protected:
  GameState& game() { return ctx.game; }
  Answer msgBox(const QString& text, Buttons buttons = Buttons::OK, const QString& title = platform::kAppTitle,
                Icon icon = Icon::None) {
    return ctx.msgBox(text, buttons, title, icon);
  }
  // Hands over: this screen closes, then the other one shows.
  platform::Form& handOverTo(const QString& next) {
    ctx.forms.close(*this);
    return ctx.forms.show(next);
  }

  GameContext& ctx;
};

}  // namespace mofurin
