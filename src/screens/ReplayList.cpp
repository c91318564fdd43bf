#include "screens/ReplayList.h"

#include "platform/Keys.h"

namespace mofurin {

FormReplays::FormReplays(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  Command1.onClick = [this] {
    const int i = List1.listIndex();
    if (i < 0 || i >= static_cast<int>(kept_.size())) return;
    const QString path = kept_[i].path;
    watch([this, path](platform::Form& from) { return watchReplay(this->ctx, path, &from); });
  };
  Command2.onClick = [this] { watch([this](platform::Form& from) { return chooseAndWatchReplay(this->ctx, from); }); };
  Command3.onClick = [this] { this->ctx.forms.close(*this); };
}

void FormReplays::showTexts() {
  setCaption(tr("リプレイを見る"));
  Command1.setCaption(tr("見る"));
  Command2.setCaption(tr("ほかのファイル…"));
  Command3.setCaption(tr("閉じる"));
  Label1.setCaption(kept_.empty() ? tr("記録したリプレイはまだありません。 ほかのファイルを選べます。")
                                  : tr("見たいリプレイを選んで「見る」を押してください。"));
}

void FormReplays::layOut() {
  setCaption(tr("リプレイを見る"));
  setSize(7200, 2640);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("title"));
  setKeyPreview(true);
  Label1.setGeometry(180, 150, 6840, 540);
  Label1.setTransparent(true);
  Label1.setWrap(Wrap::AtSpaces);
  List1.setGeometry(180, 780, 6840, 360);
  List1.setLabelledBy(&Label1);
  Command1.setCaption(tr("見る"));
  Command2.setCaption(tr("ほかのファイル…"));
  Command3.setCaption(tr("閉じる"));
  int left = 180;
  for (Button* b : {&Command1, &Command2, &Command3}) {
    b->setGeometry(left, 1560, 2220, 480);
    left += 2310;
  }
  setInitialFocus(&List1);
  setDefaultButton(&Command1);
}

void FormReplays::Form_Load() {
  if (platform::Form* title = ctx.forms.find(screen::Title)) title->setEnabled(false);
  kept_ = keptReplays(ctx);
  for (const KeptReplay& k : kept_) List1.addItem(k.description);
  List1.setListIndex(kept_.empty() ? -1 : 0);
  Command1.setEnabled(!kept_.empty());
  Label1.setCaption(kept_.empty() ? tr("記録したリプレイはまだありません。 ほかのファイルを選べます。")
                                  : tr("見たいリプレイを選んで「見る」を押してください。"));
}

void FormReplays::Form_Unload() {
  if (platform::Form* title = ctx.forms.find(screen::Title)) title->setEnabled(true);
}

void FormReplays::Form_KeyDown(int keyCode) {
  if (keyCode == platform::Key::Escape) ctx.forms.close(*this);
}

// The replay starts from the title, which this list closes with; a file
// that cannot be played leaves the list open.
void FormReplays::watch(const std::function<bool(platform::Form& from)>& start) {
  platform::Form* title = ctx.forms.find(screen::Title);
  if (!title) return;
  title->setEnabled(true);
  if (start(*title)) {
    ctx.forms.close(*this);
  } else {
    title->setEnabled(false);
  }
}

}  // namespace mofurin
