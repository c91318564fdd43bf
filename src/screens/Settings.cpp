#include "screens/Settings.h"

#include "platform/Keys.h"

namespace mofurin {

namespace {

// Each language is named in its own words, so a player who reads only one
// finds it.
constexpr const char16_t* kLanguageNames[] = {u"日本語", u"English"};
constexpr platform::Language kLanguages[] = {platform::Language::Japanese, platform::Language::English};

}  // namespace

FormSettings::FormSettings(GameContext& ctx) : Screen(ctx, kName) {
  layOut();
  showTexts();
  for (CheckBox* box : {&Check1, &Check2}) box->onClick = [this] { apply(); };
  for (ScrollBar* bar : {&Volume1, &Volume2}) bar->onChange = [this] { apply(); };
  Language.forEach([this](int i, OptionButton& option) {
    option.onClick = [this, i] {
      if (!loading_) chooseLanguage(kLanguages[i]);
    };
  });
  Command1.onClick = [this] { this->ctx.forms.close(*this); };
  for (TextBox* box : {&MeetingPlace, &Relay}) box->onChange = [this] { keepServers(); };
}

void FormSettings::layOut() {
  setSize(5400, 6060);
  setBackColor(rgb(246, 241, 226));
  setHelpTopic(QStringLiteral("settings"));
  setKeyPreview(true);
  int top = 120;
  for (Frame* frame : {&Frame1, &Frame2}) {
    frame->setGeometry(180, top, 5040, 1260);
    top += 1380;
  }
  Frame3.setGeometry(180, top, 5040, 900);
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
  }
  Language.forEach([this](int i, OptionButton& option) {
    option.setParent(&Frame3);
    option.setGeometry(240 + 2400 * i, 390, 2160, 330);
    option.setCaption(QString::fromUtf16(kLanguageNames[i]));
  });
  Frame4.setGeometry(180, top + 1020, 5040, 1260);
  for (auto [label, box, row] : {std::tuple{&Label4, &MeetingPlace, 0}, std::tuple{&Label5, &Relay, 1}}) {
    label->setParent(&Frame4);
    label->setGeometry(240, 330 + row * 450, 1500, 360);
    label->setTransparent(true);
    box->setParent(&Frame4);
    box->setGeometry(1800, 300 + row * 450, 3000, 360);
    box->setLabelledBy(label);
  }
  Label3.setGeometry(180, 5310, 3300, 600);
  Label3.setFont({8, false});
  Label3.setTransparent(true);
  Command1.setGeometry(3600, 5340, 1620, 480);
  setInitialFocus(&Check1);
  setDefaultButton(&Command1);
}

void FormSettings::showTexts() {
  setCaption(tr("設定"));
  Frame1.setCaption(tr("音楽"));
  Frame2.setCaption(tr("効果音（打撃音）"));
  Frame3.setCaption(tr("表示言語"));
  Frame4.setCaption(tr("インターネット対戦"));
  Label4.setCaption(tr("待ち合わせ場所"));
  Label5.setCaption(tr("中継サーバー"));
  Check1.setCaption(tr("音楽を鳴らす"));
  Check2.setCaption(tr("打撃音を鳴らす"));
  for (auto [frame, bar] : {std::pair{&Frame1, &Volume1}, std::pair{&Frame2, &Volume2}}) {
    bar->setAccessibleName(tr("%1の音量").arg(frame->caption()));
  }
  Command1.setCaption(tr("閉じる"));
  Label1.setCaption(tr("音量 %1").arg(Volume1.value()));
  Label2.setCaption(tr("音量 %1").arg(Volume2.value()));
  // Its sentences break between their phrases; a folder's path, which has
  // no words to keep whole, wherever it must.
  Label3.setWrap(noteIsPath_ ? Wrap::Anywhere : Wrap::AtSpaces);
  Label3.setCaption(noteIsPath_ ? tr("設定を保存できませんでした（%1）。今回だけ使われます。").arg(note_)
                                : tr("変えた設定はすぐに使われ、 次に始めたときも同じです。"));
}

void FormSettings::Form_Load() {
  show(ctx.soundSettings);
  loading_ = true;
  MeetingPlace.setText(ctx.internet.meetingPlace);
  Relay.setText(ctx.internet.relay);
  Language[platform::currentLanguage() == platform::Language::English ? 1 : 0].setSelected(true);
  loading_ = false;
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
  Label1.setCaption(tr("音量 %1").arg(settings.musicVolume));
  Label2.setCaption(tr("音量 %1").arg(settings.effectVolume));
  Volume1.setEnabled(settings.musicOn);
  Volume2.setEnabled(settings.effectsOn);
}

void FormSettings::apply() {
  if (loading_) return;
  const SoundSettings settings{Check1.checked(), Volume1.value(), Check2.checked(), Volume2.value()};
  show(settings);
  if (!ctx.changeSoundSettings(settings)) {
    noteIsPath_ = true;
    note_ = ctx.platform.settingsFile();
    showTexts();
  }
}

void FormSettings::keepServers() {
  if (loading_) return;
  if (!ctx.changeInternetSettings({MeetingPlace.text().trimmed(), Relay.text().trimmed()})) {
    noteIsPath_ = true;
    note_ = ctx.platform.settingsFile();
    showTexts();
  }
}

void FormSettings::chooseLanguage(platform::Language language) {
  if (language == platform::currentLanguage()) return;
  // Every open screen, this one too, shows its texts again in the new language.
  if (!ctx.changeLanguage(language, true)) {
    noteIsPath_ = true;
    note_ = ctx.platform.settingsFile();
    showTexts();
  }
}

}  // namespace mofurin
