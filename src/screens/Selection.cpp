#include "screens/Selection.h"

#include "game/Roster.h"
#include "persist/FighterName.h"
#include "platform/Keys.h"

namespace mofurin {

namespace {

platform::Colour colourOf(const Rgb& c) { return rgb(c.r, c.g, c.b); }

void layOutNameBox(Label& caption, TextBox& box, int left, int top) {
  caption.setCaption(QCoreApplication::translate("Form3", "名前のデフォルト→"));
  caption.setGeometry(left, top + 60, 2100, 300);
  box.setGeometry(left + 2100, top, 3300, 390);
  box.setMaxLength(kNameLength);
  box.setFont({11, false});
  box.setLabelledBy(&caption);
}

// A typed name the files cannot keep is refused with its reason.
bool refusedName(GameContext& ctx, const TextBox& box) {
  const QString problem = fighterNameProblem(box.text());
  if (problem.isEmpty()) return false;
  ctx.msgBox(problem);
  return true;
}

// The name a player typed replaces the default, once the choice is made; a
// name of only spaces is no name.
void takeTypedName(GameState& game, const TextBox& box) {
  if (!box.text().trimmed().isEmpty()) game.fighterName[Side::Player] = box.text();
}

}  // namespace

Form3::Form3(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  for (int i = 0; i < 4; ++i) HIRO1[i].onClick = [this, i] { choose(i + 1); };
  Command1.onClick = [this] { Command1_Click(); };
  // The digit keys choose whether the screen or the confirm button has the
  // keyboard, but not while the player types a name.
  Command1.onKeyDown = [this](int code) { Form_KeyDown(code); };
  SETU.onKeyDown = [this](int code) { Form_KeyDown(code); };
}

void Form3::layOut() {
  setCaption(tr("モフリン選択"));
  setSize(9660, 5400);
  setBackColor(rgb(236, 232, 244));
  setHelpTopic(QStringLiteral("select"));
  for (const StarterRecord& s : StarterCharacters()) {
    const int i = s.starterSlot - 1;
    HIRO[i].setGeometry(150 + i * 2355, 120, 2250, 2460);
    HIRO[i].setCaption(fighterForDisplay(s.slotLabel));
    HIRO[i].setBackColor(colourOf(s.frameColour));
    HIRO[i].setFont({11, true});
    HIRO1[i].setParent(&HIRO[i]);
    HIRO1[i].setGeometry(405, 600, 1440, 1440);
    HIRO1[i].setStretch(true);
    HIRO1[i].setPicture({RosterPicture(s.index, Facing::Front)});
    HIRO1[i].setAccessibleName(fighterForDisplay(RosterName(s.index)));
  }
  SETU.setGeometry(150, 2730, 9360, 1110);
  SETU.setMultiLine(true);
  SETU.setReadOnly(true);
  SETU.setFont({11, false});
  SETU.setAccessibleName(tr("キャラの説明"));
  SETU.setText(tr("選ぶキャラ自体をクリックしてください") + newLine);
  layOutNameBox(Label1, Text1, 150, 4020);
  Text1.setEnabled(false);
  Command1.setCaption(tr("これにする"));
  Command1.setGeometry(6300, 3960, 3210, 540);
  Command1.setFont({12, true});
  Command1.setEnabled(false);
  setDefaultButton(&Command1);  // Enter in the name box
  Label2.setCaption(tr("キーボードの１～４でも選べます。名前を入れなければ、キャラの名前になります。"));
  Label2.setGeometry(150, 4740, 9360, 300);
  Label2.setForeColor(rgb(90, 90, 110));
}

void Form3::Form_KeyDown(int keyCode) {
  if (keyCode >= platform::Key::Digit0 + 1 && keyCode <= platform::Key::Digit0 + 4) {
    choose(keyCode - platform::Key::Digit0);
  }
}

void Form3::showTexts() {
  setCaption(tr("モフリン選択"));
  for (const StarterRecord& s : StarterCharacters()) {
    HIRO[s.starterSlot - 1].setCaption(fighterForDisplay(s.slotLabel));
    HIRO1[s.starterSlot - 1].setAccessibleName(fighterForDisplay(RosterName(s.index)));
  }
  SETU.setAccessibleName(tr("キャラの説明"));
  SETU.setText(chosen_ > 0 ? StarterCharacters()[chosen_ - 1].description()
                           : tr("選ぶキャラ自体をクリックしてください") + newLine);
  Label1.setCaption(tr("名前のデフォルト→"));
  Command1.setCaption(tr("これにする"));
  Label2.setCaption(tr("キーボードの１～４でも選べます。名前を入れなければ、キャラの名前になります。"));
}

void Form3::choose(int slot) {
  chosen_ = slot;
  const StarterRecord& s = StarterCharacters()[slot - 1];
  SETU.setText(s.description());
  SETU.setBackColor(colourOf(s.frameColour));
  Command1.setEnabled(true);
  Text1.setEnabled(true);
}

void Form3::Command1_Click() {
  if (refusedName(ctx, Text1)) return;
  GameState& g = game();
  // The name is the first four characters of the description (its
  // fighter's name), read from the Japanese the description is shown from,
  // whatever the language on screen.
  QString name = SETU.text().left(4);
  for (const StarterRecord& s : StarterCharacters()) {
    if (SETU.text() == s.description()) name = s.descriptionLines.value(0).left(4);
  }
  g.fighterName[Side::Player] = name;
  if (msgBox(tr("%1　でよいですか？").arg(fighterForDisplay(name)), Buttons::OKCancel, platform::kAppTitle,
             Icon::Question) != Answer::OK) {
    return;
  }
  int index = -1;
  for (const StarterRecord& s : StarterCharacters()) {
    if (RosterName(s.index) == name) index = s.index;
  }
  if (index < 0) return;
  ApplyStartingData(g, index);
  g.characterIndex[Side::Player] = index;
  takeTypedName(g, Text1);
  handOverTo(screen::Hub);
}

Form8::Form8(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  Command1.onClick = [this] { Command1_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
}

void Form8::layOut() {
  setCaption(tr("モフリンを選ぼう！！全員集合"));
  setSize(7200, 6000);
  setBackColor(rgb(250, 240, 214));
  setHelpTopic(QStringLiteral("select"));
  for (auto [picture, caption, left, text] :
       {std::tuple{&MA, &Label3, 600, tr("まえ")}, std::tuple{&USI, &Label4, 4440, tr("うしろ")}}) {
    picture->setGeometry(left, 300, 2160, 2160);
    picture->setStretch(true);
    picture->setBorder(true);
    picture->setBackColor(rgb(255, 255, 255));
    caption->setCaption(text);
    caption->setGeometry(left, 2520, 2160, 300);
    caption->setAlignment(Align::Centre);
    caption->setTransparent(true);
  }
  Label1.setCaption(tr("モフリンＮＡＭＥ"));
  Label1.setGeometry(300, 3000, 6600, 450);
  Label1.setFont({15, true});
  Label1.setAlignment(Align::Centre);
  Label1.setTransparent(true);
  Label1.setForeColor(rgb(120, 40, 20));
  layOutNameBox(Label2, Text1, 600, 3660);
  Label2.setTransparent(true);
  Command1.setCaption(tr("上へ"));
  Command1.setGeometry(600, 4440, 1800, 540);
  Command2.setCaption(tr("下へ"));
  Command2.setGeometry(2550, 4440, 1800, 540);
  Command3.setCaption(tr("これでオッケー"));
  Command3.setGeometry(600, 5130, 6000, 600);
  Command3.setFont({12, true});
  setDefaultButton(&Command3);  // Enter in the name box
}

void Form8::showTexts() {
  setCaption(tr("モフリンを選ぼう！！全員集合"));
  Label3.setCaption(tr("まえ"));
  Label4.setCaption(tr("うしろ"));
  Label2.setCaption(QCoreApplication::translate("Form3", "名前のデフォルト→"));
  Command1.setCaption(tr("上へ"));
  Command2.setCaption(tr("下へ"));
  Command3.setCaption(tr("これでオッケー"));
  HYOUZI();
}

void Form8::Form_Load() {
  game().characterIndex[Side::Player] = 0;
  HYOUZI();
}

void Form8::HYOUZI() {
  GameState& g = game();
  int& index = g.characterIndex[Side::Player];
  if (index < 0) index = kRosterSize - 1;
  if (index >= kRosterSize) index = 0;
  MA.setPicture({RosterPicture(index, Facing::Front)});
  USI.setPicture({RosterPicture(index, Facing::Back)});
  g.fighterName[Side::Player] = RosterName(index);
  MA.setAccessibleName(tr("%1（まえ）").arg(fighterForDisplay(RosterName(index))));
  USI.setAccessibleName(tr("%1（うしろ）").arg(fighterForDisplay(RosterName(index))));
  Label1.setCaption(tr("モフリンネーム－%1").arg(fighterForDisplay(g.fighterName[Side::Player])));
}

void Form8::Command1_Click() {
  game().characterIndex[Side::Player] += 1;
  HYOUZI();
}

void Form8::Command2_Click() {
  game().characterIndex[Side::Player] -= 1;
  HYOUZI();
}

void Form8::Command3_Click() {
  if (refusedName(ctx, Text1)) return;
  GameState& g = game();
  if (msgBox(tr("%1でいいですか？").arg(fighterForDisplay(g.fighterName[Side::Player])), Buttons::YesNo) !=
      Answer::Yes) {
    return;
  }
  ApplyStartingData(g, g.characterIndex[Side::Player]);
  takeTypedName(g, Text1);
  handOverTo(screen::Hub);
}

}  // namespace mofurin
