#include "screens/Settings.h"

#include "platform/Keys.h"

namespace mofurin {

namespace {

QString volumeCaption(int volume) { return QStringLiteral("音量 %1").arg(volume); }

}  // namespace

FormSettings::FormSettings(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  for (CheckBox* box : {&Check1, &Check2}) box->onClick = [this] { apply(); };
  for (ScrollBar* bar : {&Volume1, &Volume2}) bar->onChange = [this] { apply(); };
  Command1.onClick = [this] { this->ctx.forms.close(*this); };
}

void FormSettings::layOut() {
  setCaption(QStringLiteral("設定"));
  setSize(5400, 3660);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("settings"));
  setKeyPreview(true);
  const std::pair<Frame*, const char16_t*> frames[] = {{&Frame1, u"音楽"}, {&Frame2, u"効果音（打撃音）"}};
  int top = 120;
  for (auto [frame, caption] : frames) {
    frame->setCaption(QString::fromUtf16(caption));
    frame->setGeometry(180, top, 5040, 1260);
    top += 1380;
  }
  Check1.setCaption(QStringLiteral("音楽を鳴らす"));
  Check2.setCaption(QStringLiteral("打撃音を鳴らす"));
  for (auto [frame, box, label, bar] :
       {std::tuple{&Frame1, &Check1, &Label1, &Volume1}, std::tuple{&Frame2, &Check2, &Label2, &Volume2}}) {
    box->setParent(frame);
    box->setGeometry(240, 330, 2700, 330);
    label->setParent(frame);
    label->setGeometry(3240, 360, 1560, 300);
    label->setAlignment(Align::Right);
    label->setTransparent(true);
    bar->setParent(frame);
    bar->setGeometry(240, 780, 4560, 300);
    bar->setRange(0, SoundSettings::kMaxVolume);
    bar->setSteps(5, 20);
    bar->setAccessibleName(frame->caption() + QStringLiteral("の音量"));
  }
  Label3.setGeometry(180, 2910, 3300, 600);
  Label3.setFont({8, false});
  Label3.setTransparent(true);
  Command1.setCaption(QStringLiteral("閉じる"));
  Command1.setGeometry(3600, 2940, 1620, 480);
  setInitialFocus(&Check1);
  setDefaultButton(&Command1);
}

void FormSettings::Form_Load() {
  show(ctx.soundSettings);
  // Its sentences break between their phrases; a folder's path, which has
  // no words to keep whole, wherever it must.
  Label3.setWrap(Wrap::AtSpaces);
  Label3.setCaption(QStringLiteral("変えた設定はすぐに使われ、 次に始めたときも同じです。"));
}

void FormSettings::Form_KeyDown(int keyCode) {
  if (keyCode == platform::Key::Escape) ctx.forms.close(*this);
}

void FormSettings::show(const SoundSettings& settings) {
  loading_ = true;
  Check1.setChecked(settings.musicOn);
  Volume1.setValue(settings.musicVolume);
  Check2.setChecked(settings.effectsOn);
  Volume2.setValue(settings.effectVolume);
  loading_ = false;
  Label1.setCaption(volumeCaption(settings.musicVolume));
  Label2.setCaption(volumeCaption(settings.effectVolume));
  Volume1.setEnabled(settings.musicOn);
  Volume2.setEnabled(settings.effectsOn);
}

void FormSettings::apply() {
  if (loading_) return;
  const SoundSettings settings{Check1.checked(), Volume1.value(), Check2.checked(), Volume2.value()};
  show(settings);
  if (!ctx.changeSoundSettings(settings)) {
    Label3.setWrap(Wrap::Anywhere);
    Label3.setCaption(QStringLiteral("設定を保存できませんでした（") + ctx.platform.settingsFile() +
                      QStringLiteral("）。今回だけ使われます。"));
  }
}

}  // namespace mofurin
