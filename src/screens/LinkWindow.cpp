#include "screens/LinkWindow.h"

#include "game/Roster.h"
#include "net/Protocol.h"
#include "platform/InternetServers.h"

namespace mofurin {

Form11::Form11(GameContext& ctx) : Screen(ctx, kName) {
  setCaption(tr("伝送ボックス"));
  setSize(4800, 2400);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("link"));
  Text1.setGeometry(120, 120, 4560, 1260);
  Text1.setMultiLine(true);
  Text1.setReadOnly(true);
  Text1.setAccessibleName(tr("伝送のようす"));
  // Why a link could not be made can take four lines: they wrap between
  // any two characters, as Japanese does.
  Label1.setGeometry(120, 1470, 3480, 780);
  Label1.setTransparent(true);
  Label1.setWrap(Wrap::Anywhere);
  Command1.setCaption(tr("やめる"));
  Command1.setGeometry(3720, 1620, 960, 480);
  Code.setGeometry(120, 2340, 3000, 420);
  Code.setReadOnly(true);
  Code.setFont({12, true});
  Code.setVisible(false);
  CopyCode.setGeometry(3240, 2340, 1440, 420);
  CopyCode.setVisible(false);
  CopyCode.setCaption(tr("コピー"));
  Code.setAccessibleName(tr("招待コード"));
  CopyCode.onClick = [this] { this->ctx.platform.copyToClipboard(Code.text()); };
  Command1.onClick = [this] { Command1_Click(); };
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer1.setMirrorsState(true);  // hands on what the socket queued
  Timer2.onTimer = [this] { Timer2_Timer(); };
  Timer3.onTimer = [this] { Timer3_Timer(); };
}

void Form11::Form_Load() {
  setCaption(tr("伝送ボックス-%1").arg(fighterForDisplay(game().fighterName[Side::Player])));
  closeRequested = [this] { closeBox(); };
  ctx.networkBout.attach(this);
}

void Form11::showTexts() {
  setCaption(tr("伝送ボックス-%1").arg(fighterForDisplay(game().fighterName[Side::Player])));
  Text1.setAccessibleName(tr("伝送のようす"));
  Command1.setCaption(tr("やめる"));
  Code.setAccessibleName(tr("招待コード"));
  CopyCode.setCaption(tr("コピー"));
}

void Form11::Form_Unload() {
  ctx.networkBout.detach(this);
  announcer_.stop();
  ctx.linkNews = {};
}

void Form11::startLink(const QString& address, bool asHost) {
  showAnew();
  // An invitation typed where an address goes leads through the internet;
  // a mistyped one too, to be told so there.
  ctx.networkBout.start(address, asHost, !asHost && platform::invitation::looksLikeCode(address));
}

void Form11::invite() {
  showAnew();
  ctx.networkBout.start(QString(), true, true);
}

// Each link begins with an empty log, in front of the hub (a second press
// too, the window being open already), where its code will show.
void Form11::showAnew() {
  showInvitation({});
  log_.clear();
  Text1.setText({});
  ctx.forms.show(screen::Link);
  ctx.forms.toFront(*this);
}

void Form11::showInvitation(const QString& code) {
  Code.setText(code);
  Code.setVisible(!code.isEmpty());
  CopyCode.setVisible(!code.isEmpty());
  setSize(4800, code.isEmpty() ? 2400 : 2940);
}

void Form11::closeBox() {
  if (ctx.networkBout.fighting()) {
    ctx.forms.close(screen::Battle);  // leaves the bout; the hub shows
  } else {
    ctx.networkBout.end();
    setStatus(tr("接続をやめました"));
  }
  ctx.forms.hide(*this);
}

void Form11::Timer2_Timer() {
  Timer2.stop();
  ctx.networkBout.timeUp();
}

void Form11::Timer3_Timer() {
  if (!ctx.networkBout.fighting()) {
    Timer3.stop();
    waitedSeconds_ = 0;
    Label1.setCaption(status_);
    return;
  }
  waitedSeconds_ = ctx.battle.awaitingPeer ? waitedSeconds_ + 1 : 0;
  Label1.setCaption(waitedSeconds_ >= 10 ? tr("相手を待っています（%1秒）").arg(waitedSeconds_) : status_);
}

// ---- What the bout asks ----------------------------------------------------

void Form11::listening(bool on) {
  if (on) {
    announcer_.start();
  } else {
    announcer_.stop();
  }
}

void Form11::limitTime(bool on) {
  if (on) {
    Timer2.start();
  } else {
    Timer2.stop();
  }
}

void Form11::setStatus(const QString& caption) {
  status_ = caption;
  Label1.setCaption(caption);
  ctx.linkNews.status = caption;
  ctx.tellLinkNews();
}

void Form11::holdFighter(bool held) {
  if (held) ctx.forms.close(screen::Shop);
  ctx.linkNews.fighterHeld = held;
  ctx.tellLinkNews();
}

void Form11::log(const QString& line) {
  // A battle message's kind is shown in the game's language; the rest
  // (numbers, what the other player said) as it came.
  const QString kind = battleKindName(line);
  const QString shown = kind.isEmpty() ? line : kind + line.mid(layout::kBattlePrefix[0].width);
  log_.push_back(shown);
  while (log_.size() > kLogLines) log_.pop_front();
  QString text;
  for (const QString& l : log_) text += l + newLine;
  Text1.setText(text);
}

// The hub reads the role from the bout.
void Form11::holdRole(bool) { ctx.tellLinkNews(); }

void Form11::openBattle() {
  waitedSeconds_ = 0;
  Timer3.start();
  // Nothing beside the bout may change the fighter on one machine only.
  ctx.forms.close(screen::Shop);
  ctx.forms.show(screen::Battle);
  ctx.forms.close(screen::Hub);
}

void Form11::leaveBattle(const QString& why) {
  msgBox(why);
  ctx.forms.close(screen::Battle);
}

}  // namespace mofurin
