#include "screens/BattleScreen.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <array>

#include "battle/BattleTexts.h"
#include "game/Numbers.h"
#include "game/Roster.h"
#include "game/Techniques.h"
#include "platform/Keys.h"
#include "screens/Replays.h"

namespace mofurin {

namespace {

constexpr Side P = Side::Player;
constexpr Side O = Side::Opponent;

// Where the portraits stand once the intro has slid them in; they start
// 23 steps of 250 twips away, outside the ring.
constexpr int kIntroSteps = 23;
constexpr int kIntroStep = 250;
constexpr int kPlayerHome = 235;
constexpr int kOpponentHome = 4805;

// The scene, and the design colours of its marks.
constexpr int kSceneWidth = 6600;
constexpr int kSceneHeight = 4320;
constexpr platform::Colour kBannerColour = rgb(120, 30, 40);
constexpr platform::Colour kApronColour = rgb(110, 28, 44);

platform::Colour colourOf(const Rgb& c) { return rgb(c.r, c.g, c.b); }

QString effectFrame(int frame) { return QStringLiteral("effect%1.png").arg(frame); }

}  // namespace

Form1::Form1(GameContext& ctx) : Screen(ctx, kName), engine_(ctx.game, ctx.battle, ctx.random, *this) {
  layOut();
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer1.setMirrorsState(true);
  Timer2.onTimer = [this] { Timer2_Timer(); };
  Timer3.onTimer = [this] { Timer3_Timer(); };
  Timer4.onTimer = [this] { Timer4_Timer(); };
  Timer5.onTimer = [this] { Timer5_Timer(); };
  Timer6.onTimer = [this] { Timer6_Timer(); };
  IIYO[0].onClick = [this] { IIYO_Click(); };
  NIGERU[0].onClick = [this] { NIGERU_Click(); };
  Command1.onClick = [this] { Command1_Click(); };
  WAZA.onClick = [this] { showPlayersChoice(); };
  engine_.setLog(&recorder_);
}

void Form1::layOut() {
  setSize(9600, 8250);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("battle"));
  setKeyPreview(true);
  layOutScene();
  layOutStatus();
  layOutCommands();
  setDefaultButton(&IIYO[0]);  // Enter confirms
  layOutReplayControls();
  showStaticTexts();
}

void Form1::showStaticTexts() {
  setCaption(QCoreApplication::translate("Form1", "激戦地区"));
  Picture1.setAccessibleName(QCoreApplication::translate("Form1", "リング"));
  Label3.setCaption(QCoreApplication::translate("Form1", "激戦地区"));
  IRA.setAccessibleName(QCoreApplication::translate("Form1", "打撃の絵"));
  for (int side = 0; side < 2; ++side) {
    WAKU[side].setCaption(side == 0 ? QCoreApplication::translate("Form1", "あなた")
                                    : QCoreApplication::translate("Form1", "あいて"));
    ZYOU[side].setAccessibleName(QCoreApplication::translate("Form1", "%1の強さ").arg(WAKU[side].caption()));
  }
  Combo1.setAccessibleName(QCoreApplication::translate("Form1", "あいての必殺技"));
  Label6.setCaption(QCoreApplication::translate("Form1", "あなたの必殺技（最大８個）"));
  IIYO[0].setCaption(QCoreApplication::translate("Form1", "これでＯＫ"));
  NIGERU[0].setCaption(QCoreApplication::translate("Form1", "敵前逃亡"));
  SAISEI.setCaption(QCoreApplication::translate("Form1", "リプレイ"));
  TEISI.setCaption(QCoreApplication::translate("Form1", "停止"));
  Label7.setCaption(QCoreApplication::translate("Form1", "速さ"));
}

// The language changed in the middle of a bout: the fixed texts, the lists
// (each keeping its pick) and the status lines show again; the message
// changes with the engine's next one.
void Form1::showTexts() {
  showStaticTexts();
  const int players = WAZA.listIndex(), opponents = Combo1.listIndex();
  refillLists();
  if (players >= 0) WAZA.setListIndex(players);
  if (opponents >= 0) Combo1.setListIndex(opponents);
  showStatus();
  Label4.setCaption(autoLabel(ctx.battle.autoTurns));
}

void Form1::layOutScene() {
  Picture1.setGeometry(0, 0, kSceneWidth, kSceneHeight);
  Picture1.setBackColor(rgb(28, 24, 64));
  Picture1.setPicture({QStringLiteral("arena.png")});
  Picture1.setStretch(true);
  Label3.setParent(&Picture1);
  Label3.setGeometry(0, 0, kSceneWidth, 330);
  Label3.setAlignment(Align::Centre);
  Label3.setFont({10, true});
  Label3.setForeColor(rgb(255, 236, 180));
  Label3.setBackColor(kBannerColour);
  // The ring's apron along the front: its colour marks the last bouts of the
  // tournament and network bouts.
  Shape1.setParent(&Picture1);
  Shape1.setGeometry(0, kSceneHeight - 240, kSceneWidth, 240);
  Shape1.setBackColor(kApronColour);
  Shape1.setForeColor(rgb(40, 10, 20));
  KAO[0].setGeometry(kPlayerHome + kIntroSteps * kIntroStep, 2310, 1800, 1590);
  KAO[1].setGeometry(kOpponentHome - kIntroSteps * kIntroStep, 1470, 1410, 1275);
  IRA.setGeometry(0, 0, 960, 960);
  IRA.setPicture({effectFrame(0)});
  Label5.setCaption(QCoreApplication::translate("Form1", "ダメージ"));
  Label5.setGeometry(3630, 2205, 2100, 480);  // wide enough for nine digits of damage
  Label5.setFont({18, true});
  Label2.setGeometry(5040, 420, 1440, 300);
  Label2.setFont({11, true});
  Label2.setForeColor(rgb(255, 255, 255));
  Label2.setAlignment(Align::Right);
  for (PictureBox* p : {&KAO[0], &KAO[1], &IRA}) {
    p->setParent(&Picture1);
    p->setStretch(true);
  }
  for (Label* l : {&Label5, &Label2}) {
    l->setParent(&Picture1);
    l->setTransparent(true);
  }
}

void Form1::layOutStatus() {
  const std::pair<int, platform::Rect> frames[] = {{0, {60, 4380, 4080, 3810}}, {1, {6660, 60, 2880, 4260}}};
  for (const auto& [side, r] : frames) {
    WAKU[side].setGeometry(r.left, r.top, r.width, r.height);
    WAKU[side].setEnabled(false);
    for (platform::Widget* w : std::initializer_list<platform::Widget*>{&NAMAE[side], &HITP[side], &ZYOU[side]})
      w->setParent(&WAKU[side]);
    // A long name, a high level or late-game figures are drawn smaller
    // rather than cut: a name stays on one line, a table row too, and a
    // part's hit points break only between parts.
    NAMAE[side].setFont({11, true, true});
    NAMAE[side].setWrap(Wrap::Never);
    HITP[side].setFont({9, false, true});
    HITP[side].setWrap(Wrap::AtSpaces);
    // Each side's hit points are read out as they change, after whose they are.
    HITP[side].setLive(true);
    HITP[side].setLabelledBy(&WAKU[side]);
    ZYOU[side].setMultiLine(true);
    ZYOU[side].setReadOnly(true);
    ZYOU[side].setFont({9, false, true});
    ZYOU[side].setWrap(Wrap::Never);
  }
  NAMAE[0].setGeometry(150, 270, 3780, 330);
  HITP[0].setGeometry(150, 630, 3780, 480);
  ZYOU[0].setGeometry(150, 1140, 3780, 2550);  // all twelve rows at the design size
  NAMAE[1].setGeometry(120, 270, 2640, 330);
  HITP[1].setGeometry(120, 630, 2640, 720);
  ZYOU[1].setGeometry(120, 1380, 2640, 1260);
  Combo1.setParent(&WAKU[1]);
  Combo1.setGeometry(120, 2760, 2640, 360);
  Label1[4].setParent(&WAKU[1]);
  Label1[4].setGeometry(120, 3180, 2640, 300);
  Label1[4].setCaption(QCoreApplication::translate("Form1", "HP消費量--0"));
  Label1[4].setTransparent(true);
}

void Form1::layOutCommands() {
  MSG.setGeometry(4200, 4380, 5340, 1260);
  MSG.setBorder(true);
  MSG.setBackColor(rgb(255, 255, 250));
  MSG.setFont({10, false, true});
  MSG.setLive(true);  // a player who cannot see the ring follows the bout by its messages
  HV125.setGeometry(4200, 5700, 3960, 1500);
  HV125.setVisible(false);
  Label6.setParent(&HV125);
  Label6.setGeometry(120, 180, 3720, 270);
  Label6.setTransparent(true);
  WAZA.setParent(&HV125);
  WAZA.setGeometry(120, 450, 3720, 360);
  WAZA.setLabelledBy(&Label6);
  Label1[2].setParent(&HV125);
  Label1[2].setCaption(QCoreApplication::translate("Form1", "HP消費量--0"));
  Label1[2].setGeometry(120, 870, 1800, 300);
  Label1[2].setTransparent(true);
  IIYO[0].setParent(&HV125);
  IIYO[0].setGeometry(1980, 840, 1860, 540);
  IIYO[0].setFont({11, true});
  NIGERU[0].setParent(&HV125);
  NIGERU[0].setGeometry(120, 1170, 1800, 270);
  NIGERU[0].setFont({8, false});
  Command1.setCaption(QStringLiteral("AUTO"));
  Command1.setGeometry(8280, 5760, 1260, 720);
  Command1.setFont({12, true});
  Label4.setGeometry(8280, 6540, 1260, 300);
  Label4.setAlignment(Align::Centre);
  Label4.setTransparent(true);
  setInitialFocus(&WAZA);
}

void Form1::layOutReplayControls() {
  SAISEI.setGeometry(4200, 5700, 3960, 1500);
  SAISEI.setVisible(false);
  TEISI.setParent(&SAISEI);
  TEISI.setGeometry(120, 450, 1800, 720);
  TEISI.setFont({11, true});
  Label7.setParent(&SAISEI);
  Label7.setGeometry(2100, 330, 1740, 270);
  Label7.setTransparent(true);
  SOKUDO.setParent(&SAISEI);
  SOKUDO.setGeometry(2100, 600, 1740, 360);
  SOKUDO.setLabelledBy(&Label7);
  for (int speed : kReplaySpeeds) SOKUDO.addItem(QStringLiteral("×%1").arg(speed));
  SOKUDO.setListIndex(0);
}

void Form1::Form_Load() {
  GameState& g = game();
  BattleState& b = ctx.battle;
  player_ = sidesFor(*this);
  other_ = &player_->other();
  engine_.setOtherSide(other_);
  if (const auto marks = colourMarks(g, other_->isAnotherPlayer())) {
    Label3.setBackColor(colourOf(marks->label3));
    Shape1.setBackColor(colourOf(marks->shape1));
  }
  engine_.open();
  recorder_.start(BoutRecord::opening(g, b, other_->playerChoosesFirst()));
  player_->open();
  refillLists();
  engine_.STA();
  // The pop-up plays out from where the last bout left it: in a fresh
  // program its caption still falls for four ticks.
  Label5.setVisible(b.popupStep <= 300);
  Label4.setCaption(autoLabel(b.autoTurns));
  Timer2.start();
  loadSounds();
  bgm1();
  if (other_->isAnotherPlayer()) {
    Command1.setVisible(false);  // no AUTO between two players
    Label4.setVisible(false);
  }
  if (!other_->playerChoosesFirst()) watchFirstRound();
}

void Form1::Form_Unload() {
  ctx.platform.mediaCommand(QStringLiteral("stop bgm"));
  ctx.platform.mediaCommand(QStringLiteral("close bgm"));
  player_->unload();
}

// The game ends in the middle of a bout ("やめる", the desktop's logout, a
// game over): its record is kept, and the other machine is told this side fled.
void Form1::Form_End() { player_->gameEnds(); }

void Form1::watchFirstRound() {
  commandPhaseReached_ = true;
  engine_.watchFirstRound();
  HV125.setVisible(false);
  setEngineInterval(game().messageSpeed);
  player_->watch();
}

void Form1::loadSounds() {
  SoundState& s = ctx.sound;
  QString prefix = ctx.platform.assetFolder();
  if (!prefix.endsWith(QDir::separator()) && !prefix.endsWith(u'/')) prefix += u'/';
  s.effectFiles = {prefix + QStringLiteral("Snd091.wav"), prefix + QStringLiteral("Snd053.wav")};
  s.musicFile = prefix + QStringLiteral("music") + decimal(game().battleKind == kTrainingOrNetworkBout ? 2 : 1) +
                QStringLiteral(".mid");
  const auto readWhole = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  s.playerHitSound = readWhole(s.effectFiles[0]);
  s.opponentHitSound = readWhole(s.effectFiles[1]);
}

void Form1::bgm1() {
  platform::Platform& p = ctx.platform;
  p.mediaCommand(QStringLiteral("stop bgm"));
  p.mediaCommand(QStringLiteral("close bgm"));
  p.mediaCommand(QStringLiteral("open \"") + ctx.sound.musicFile + QStringLiteral("\" alias bgm"));
  p.mediaCommand(QStringLiteral("play bgm"));
}

void Form1::Timer6_Timer() {
  ctx.sound.musicMode = ctx.platform.musicMode();
  if (ctx.sound.musicMode.isEmpty()) Timer6.stop();  // no music device: nothing to watch
  if (ctx.sound.musicMode.left(7) == u"stopped") bgm1();
}

// The intro: both portraits slide into the ring, then the greeting.
void Form1::Timer2_Timer() {
  BattleState& b = ctx.battle;
  KAO[0].setLeft(KAO[0].left() - kIntroStep);
  KAO[1].setLeft(KAO[1].left() + kIntroStep);
  if (b.introTick++ != kIntroSteps - 1) return;
  // A side that watches the other's strike first may already be counting
  // it: its counts were cleared when the bout opened.
  const bool playerFirst = other_->playerChoosesFirst();
  if (playerFirst) b.hitCount = {};
  WAKU[0].setEnabled(true);
  WAKU[1].setEnabled(true);
  Timer2.stop();
  if (playerFirst) engine_.openCommands();
  IIYO[0].setVisible(true);
  MSG.setCaption(introGreeting(game()));
  ctx.platform.beep();
}

void Form1::showCost(const ComboBox& list, Side s, Label& cost) {
  const ShownCost shown = shownCost(game(), s, list.text());
  if (shown.caption) cost.setCaption(*shown.caption);
  // Only another player's own message says what its fighter chose; the
  // list beside it only shows costs.
  const bool peersChoice = s == O && other_->isAnotherPlayer();
  if (shown.slot && !peersChoice) ctx.battle.chosenSlot[s] = *shown.slot;
}

// The technique in the list is the one Enter confirms, from the moment it
// shows there: a digit and Enter in one frame play that digit's slot.
void Form1::showPlayersChoice() {
  showCost(WAZA, P, Label1[2]);
  IIYO[0].setVisible(!WAZA.text().isEmpty());
}

// The command phase: costs, status lines and the AUTO choice.
void Form1::Timer1_Timer() {
  BattleState& b = ctx.battle;
  showPlayersChoice();
  showFighterLines();
  showCost(Combo1, O, Label1[4]);
  if (b.autoTurns > 0 && HV125.visible()) engine_.chooseAuto();
  Label4.setCaption(autoLabel(b.autoTurns));
}

void Form1::IIYO_Click() {
  if (WAZA.text() == kNoTechnique) {
    msgBox(QCoreApplication::translate("Form1", "技が決まってません！"));
    return;
  }
  engine_.startRound();
}

void Form1::countAutoTurn(int added) {
  qint32& turns = ctx.battle.autoTurns;
  turns += added;
  if (turns > 30) turns = 1;
  Label4.setCaption(autoLabel(turns));
}

void Form1::Command1_Click() { countAutoTurn(1); }

void Form1::Form_KeyDown(int keyCode) {
  const bool introRunning = Timer2.enabled();
  countAutoTurn(keyCode == platform::Key::A && !other_->isAnotherPlayer() && !introRunning ? 1 : 0);
  if (const std::optional<int> digit = platform::Key::digitOf(keyCode); digit >= 1 && digit <= kSlotCount) {
    pickSlotByKey(*digit - 1);
  }
}

// The digit keys 1-8 pick the technique of that slot in the command phase;
// a slot that cannot be used now is passed over.
void Form1::pickSlotByKey(int slot) {
  takeKey();
  if (!HV125.usable() || slot >= WAZA.items().size() || WAZA.items()[slot] == kNoTechnique) return;
  WAZA.setListIndex(slot);
}

void Form1::NIGERU_Click() {
  msgBox(QCoreApplication::translate("Form1", "もう勝てないので逃げた。"));
  recorder_.add(FleeEvent{P});
  player_->flee();
}

void Form1::openCommandPhase() {
  commandPhaseReached_ = true;
  player_->choose();
}

void Form1::showCommandPanel() {
  Timer1.start();
  HV125.setVisible(true);
  showPlayersChoice();
  focusOn(WAZA);
}

void Form1::playChoice(int slot) {
  WAZA.setListIndex(slot);
  ctx.battle.chosenSlot[P] = slot;
  engine_.startRound(Chooser::Player);
}

void Form1::showReplayControls(int speed, std::function<void()> stop, std::function<void(int speed)> speedChosen) {
  Timer1.stop();
  SAISEI.setVisible(true);
  Command1.setVisible(false);
  Label4.setVisible(false);
  const auto shown = std::find(kReplaySpeeds.begin(), kReplaySpeeds.end(), speed);
  SOKUDO.setListIndex(shown == kReplaySpeeds.end() ? 0 : static_cast<int>(shown - kReplaySpeeds.begin()));
  setInitialFocus(&TEISI);
  TEISI.onClick = std::move(stop);
  SOKUDO.onClick = [this, speedChosen = std::move(speedChosen)] {
    const int index = SOKUDO.listIndex();
    if (index < 0 || index >= static_cast<int>(kReplaySpeeds.size())) return;
    speedChosen(kReplaySpeeds[index]);
    setEngineInterval(engineInterval_);
  };
}

void Form1::closeCommandPhase() {
  player_->commandPhaseCloses();
  Timer1.stop();
  HV125.setVisible(false);
}

void Form1::refillLists() {
  const GameState& g = game();
  for (auto [list, s] : {std::pair{&WAZA, P}, std::pair{&Combo1, O}}) {
    list->clear();
    for (const QString& entry : slotList(g, ctx.battle, s)) list->addItem(entry);
  }
  KAO[0].setPicture({RosterPicture(g.characterIndex[P], Facing::Back)});
  KAO[1].setPicture({RosterPicture(g.characterIndex[O], Facing::Front)});
  for (Side s : {P, O}) KAO[side(s)].setAccessibleName(fighterForDisplay(RosterName(g.characterIndex[s])));
}

void Form1::showStatus() {
  for (Side s : {P, O}) ZYOU[side(s)].setText(strengthTable(game(), s));
  showFighterLines();
  Label2.setCaption(roundLabel(ctx.battle.roundCount));
}

void Form1::showFighterLines() {
  for (Side s : {P, O}) {
    HITP[side(s)].setCaption(hpLine(game(), s));
    NAMAE[side(s)].setCaption(nameLine(game(), s));
  }
}

Side Form1::attackingSide() const { return Phase::isPlayers(ctx.battle.battlePhase) ? P : O; }

void Form1::startPopup(Side attacker, const QString& caption) {
  Label5.setCaption(caption);
  Label5.setVisible(true);
  Timer5.start();
  Label5.setTop(2205 + 1000 * side(attacker));
}

void Form1::hitAnimation(Side attacker) {
  const int a = side(attacker);
  const PictureBox& target = KAO[1 - a];
  IRA.moveTo(target.left() + 500 * a, target.top() + 300 * a);
  const QByteArray& sound = ctx.battle.soundSide == 0 ? ctx.sound.playerHitSound : ctx.sound.opponentHitSound;
  ctx.platform.playEffect(ctx.battle.soundSide, sound);
  Timer4.start();
  startPopup(attacker, decimal(ctx.battle.damage));
}

void Form1::missPopup(Side attacker) { startPopup(attacker, QCoreApplication::translate("Form1", "ＭＩＳＳ")); }

// The hit sprite: ten pattern frames and two empty ones, drifting as the
// technique's motion says; the scene shakes while the player is hit.
void Form1::Timer4_Timer() {
  BattleState& b = ctx.battle;
  const Side a = attackingSide();
  b.animationTick += 1;
  if (a == O && Picture1.left() == 0 && Picture1.top() == 0) {
    const int top = roundHalfEven(ctx.random.cosmetic() * 600.0 - 300.0);
    const int left = roundHalfEven(ctx.random.cosmetic() * 600.0 - 300.0);
    Picture1.moveTo(left, top);
  } else {
    Picture1.moveTo(0, 0);
  }
  const qsizetype at = b.animationTick - 1;
  const int frame = at >= 0 && at < b.hitPattern.size() ? b.hitPattern[at].digitValue() : 0;
  IRA.setPicture({effectFrame(frame >= 0 && frame <= 5 ? frame : 0)});
  switch (b.hitMotion) {
    case 1: IRA.setTop(IRA.top() + 80); break;
    case 2: IRA.setLeft(IRA.left() + (a == O ? -80 : 80)); break;
    case 3: IRA.setTop(IRA.top() - 40); break;
    default: break;
  }
  if (b.animationTick > 11) {
    Timer3.start();
    Timer4.stop();
    IRA.moveTo(0, 0);
  }
}

// The damage pop-up jumps up, falls back and flickers between grey and pink.
void Form1::Timer5_Timer() {
  BattleState& b = ctx.battle;
  Label5.setLeft(3630 - 900 * b.popupSide);
  Label5.setForeColor(rgb(roundHalfEven(200.0 + 50.0 * ctx.random.cosmetic()), 200, 200));
  if (b.popupStep > 300) {
    Label5.setVisible(false);
    Timer5.stop();
  }
  Label5.setTop(Label5.top() + b.popupStep);
  b.popupStep += 100;
}

void Form1::leaveBout(Next next) { player_->leave(next); }

void Form1::Timer3_Timer() {
  engine_.tick();
  player_->engineTicked();
}

void Form1::setEngineInterval(int ms) {
  engineInterval_ = ms;
  Timer3.setInterval(std::max(ms / player_->speed(), 1));
}

void Form1::endProgram() { player_->endProgram(); }

// The record goes to the replays folder once the bout has reached its command
// phase, however it ends.
void Form1::keepRecord(bool leftUndecided) {
  if (recordKept_ || !commandPhaseReached_) return;
  recordKept_ = true;
  BoutRecord& record = recorder_.record();
  // A window closed on an undecided bout against another player ends it as
  // a flight; no event says when, so a replay stops where the record does.
  record.ending = leftUndecided ? Ending::Fled : boutEnding(record, ctx.battle.battleResult);
  keepBoutRecord(ctx, record);
}

}  // namespace mofurin
