#include "tools/drive/Driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

#include "context/GameContext.h"
#include "game/Numbers.h"
#include "platform/Form.h"
#include "platform/Timer.h"
#include "platform/Widgets.h"
#include "platform/headless/ScriptedDialogs.h"
#include "platform/headless/VirtualClock.h"
#include "screens/Hub.h"
#include "screens/LinkWindow.h"
#include "screens/Replays.h"

namespace mofurin {

using platform::Answer;
using platform::Form;
using platform::Widget;
using platform::WidgetKind;

struct Driver::Target {
  Form* form = nullptr;
  Widget* widget = nullptr;
  platform::Timer* timer = nullptr;
  QString attribute;
};

namespace {

QString yesNo(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

// "Form4.Label2(3).visible" -> form, name, index, attribute.
bool splitPath(const QString& path, QString& form, QString& name, int& index, QString& attribute) {
  static const QRegularExpression pattern(
      QStringLiteral(R"(^([A-Za-z_][A-Za-z0-9_]*)(?:\.([A-Za-z_][A-Za-z0-9_]*)(?:\((\d+)\))?)?(?:\.([a-z]+))?$)"));
  const QRegularExpressionMatch m = pattern.match(path);
  if (!m.hasMatch()) return false;
  form = m.captured(1);
  name = m.captured(2);
  index = m.captured(3).isEmpty() ? -1 : m.captured(3).toInt();
  attribute = m.captured(4);
  return true;
}

std::pair<QString, QString> firstWord(const QString& text) {
  const qsizetype space = text.indexOf(u' ');
  if (space < 0) return {text, QString()};
  return {text.left(space), text.mid(space + 1)};
}

}  // namespace

void VirtualTime::wait(qint64 ms) {
  const qint64 passed = live() ? passInRealTime(ms, {}) : 0;
  clock_.advance(ms - passed);
}

bool VirtualTime::until(const std::function<bool()>& done, qint64 maxMs) {
  qint64 passed = 0;
  if (live()) {
    passed = passInRealTime(maxMs, done);
    if (done()) return true;
  }
  return clock_.advanceUntil(done, maxMs - passed);
}

void VirtualTime::settle() {
  if (live()) QCoreApplication::processEvents();
  clock_.runPosted();
}

qint64 VirtualTime::passInRealTime(qint64 ms, const std::function<bool()>& done) {
  QElapsedTimer real;
  real.start();
  qint64 passed = 0;
  while (passed < ms && live() && !(done && done())) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    clock_.runPosted();
    const qint64 now = std::min(ms, real.elapsed());
    if (done) {
      // Tick by tick, so that the moment done() holds is not run past.
      if (clock_.advanceUntil(done, now - passed)) return now;
    } else {
      clock_.advance(now - passed);
    }
    passed = now;
    if (passed < ms) QThread::msleep(1);
  }
  return passed;
}

Driver::Driver(GameContext& ctx, platform::ScriptedDialogs& dialogs, TimeControl& time,
               std::function<void(const QString&)> print)
    : ctx_(ctx), dialogs_(dialogs), time_(time), print_(std::move(print)) {}

QString Driver::escape(const QString& text) { return escapeLineBreaks(text); }

QString Driver::unescape(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'\\' && i + 1 < text.size()) {
      const QChar next = text[i + 1];
      if (next == u'r' || next == u'n' || next == u'\\') {
        out += next == u'r' ? u'\r' : next == u'n' ? u'\n' : u'\\';
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

int Driver::run(const QString& script) {
  for (const QString& line : script.split(u'\n')) {
    if (const std::optional<int> status = runLine(line)) return *status;
  }
  return 0;
}

std::optional<int> Driver::runLine(QString line) {
  ++lineNumber_;
  if (line.endsWith(u'\r')) line.chop(1);
  // Only the indentation goes: TEXT is the rest of the line as it stands.
  qsizetype start = 0;
  while (start < line.size() && line[start].isSpace()) ++start;
  line = line.mid(start);
  if (line.isEmpty() || line.startsWith(u'#')) return std::nullopt;
  if (!execute(line)) {
    print_(QStringLiteral("error: line %1: %2").arg(lineNumber_).arg(error_));
    return 2;
  }
  time_.settle();
  if (ctx_.ended()) return 0;
  return std::nullopt;
}

bool Driver::fail(const QString& message) {
  error_ = message;
  return false;
}

bool Driver::execute(const QString& line) {
  const auto [command, args] = firstWord(line);
  using Handler = bool (Driver::*)(const QString&);
  static const std::pair<const char*, Handler> commands[] = {
      {"click", &Driver::click},   {"select", &Driver::select},     {"type", &Driver::type},
      {"key", &Driver::key},       {"scroll", &Driver::scroll},     {"answer", &Driver::answer},
      {"file", &Driver::file},     {"random", &Driver::random},     {"seed", &Driver::seed},
      {"wait", &Driver::wait},     {"until", &Driver::until},       {"print", &Driver::print},
      {"dump", &Driver::dump},     {"shot", &Driver::takeShot},     {"screens", &Driver::screens},
      {"close", &Driver::close},   {"photo", &Driver::photo},       {"hold", &Driver::hold},
      {"replay", &Driver::replay}, {"language", &Driver::language}, {"invite", &Driver::invite},
      {"join", &Driver::join},     {"connection", &Driver::connection},
  };
  for (const auto& [name, handler] : commands) {
    if (command == QLatin1String(name)) return (this->*handler)(args);
  }
  return fail(QStringLiteral("unknown command \"%1\"").arg(command));
}

bool Driver::resolve(const QString& path, Target& target) {
  QString formName, name, attribute;
  int index = -1;
  if (!splitPath(path, formName, name, index, attribute)) {
    return fail(QStringLiteral("cannot read the widget name \"%1\"").arg(path));
  }
  target = {};
  target.form = ctx_.forms.find(formName);
  if (!target.form) {
    if (!ctx_.forms.isDefined(formName)) return fail(QStringLiteral("unknown screen %1").arg(formName));
    return fail(QStringLiteral("screen %1 is not open").arg(formName));
  }
  target.attribute = attribute;
  if (name.isEmpty()) return true;
  target.widget = target.form->findWidget(name, index);
  if (!target.widget && index < 0) target.timer = target.form->findTimer(name);
  if (target.widget || target.timer) return true;
  static const QStringList formAttributes{"caption", "enabled", "visible", "colour"};
  if (index < 0 && attribute.isEmpty() && formAttributes.contains(name)) {
    // "Form4.enabled": an attribute of the screen itself.
    target.attribute = name;
    return true;
  }
  return fail(QStringLiteral("unknown widget %1").arg(path));
}

bool Driver::language(const QString& args) {
  const std::optional<platform::Language> chosen = platform::languageFromCode(args.trimmed());
  if (!chosen) return fail(QStringLiteral("language needs en or ja, not \"%1\"").arg(args.trimmed()));
  if (!ctx_.changeLanguage(*chosen, false)) return fail(QStringLiteral("the English texts cannot be loaded"));
  return true;
}

// The hub's invitation button; once the meeting place holds the room, the
// code to hand on.
bool Driver::invite(const QString&) {
  Form4* hub = ctx_.forms.find<Form4>();
  if (!hub || !ctx_.forms.isShown(Form4::kName)) return fail(QStringLiteral("invite needs the hub"));
  hub->Invite.click();
  const Form11* link = ctx_.forms.find<Form11>();
  const auto ready = [&] { return !link || !link->Code.text().isEmpty() || !ctx_.networkBout.roleHeld(); };
  time_.until(ready, kInvitationWaitMs);
  if (!link || link->Code.text().isEmpty()) {
    return fail(QStringLiteral("no invitation: %1").arg(link ? link->status() : QString()));
  }
  print_(QStringLiteral("invitation = %1").arg(link->Code.text()));
  return true;
}

// A guest who typed the code into the host box and pressed "ネットバトル".
bool Driver::join(const QString& args) {
  Form4* hub = ctx_.forms.find<Form4>();
  if (!hub || !ctx_.forms.isShown(Form4::kName)) return fail(QStringLiteral("join needs the hub"));
  if (hub->Check2.checked()) hub->Check2.click();
  hub->Text1.setText(args.trimmed());
  hub->Command2.click();
  return true;
}

bool Driver::connection(const QString&) {
  print_(QStringLiteral("connection = %1").arg(ctx_.networkBout.connection()));
  return true;
}

bool Driver::click(const QString& args) {
  Target t;
  if (!resolve(args.trimmed(), t)) return false;
  if (!t.widget) return fail(QStringLiteral("%1 is not a widget").arg(args));
  if (!t.widget->usable()) print_(QStringLiteral("[not usable %1]").arg(t.widget->fullName()));
  t.widget->click();
  return true;
}

bool Driver::select(const QString& args) {
  const auto [path, text] = firstWord(args);
  Target t;
  if (!resolve(path, t)) return false;
  if (!t.widget || t.widget->kind() != WidgetKind::ComboBox) return fail(QStringLiteral("%1 is not a list").arg(path));
  auto* list = static_cast<platform::ComboBox*>(t.widget);
  if (!list->usable()) print_(QStringLiteral("[not usable %1]").arg(list->fullName()));
  if (!list->pick(unescape(text))) return fail(QStringLiteral("%1 has no entry \"%2\"").arg(path, text));
  return true;
}

bool Driver::type(const QString& args) {
  const auto [path, text] = firstWord(args);
  Target t;
  if (!resolve(path, t)) return false;
  if (!t.widget || t.widget->kind() != WidgetKind::TextBox)
    return fail(QStringLiteral("%1 is not a text box").arg(path));
  auto* box = static_cast<platform::TextBox*>(t.widget);
  if (!box->usable() || box->readOnly()) print_(QStringLiteral("[not usable %1]").arg(box->fullName()));
  box->type(unescape(text));
  return true;
}

bool Driver::key(const QString& args) {
  const auto [path, codeText] = firstWord(args);
  bool ok = false;
  const int code = codeText.trimmed().toInt(&ok);
  if (!ok) return fail(QStringLiteral("key code \"%1\" is not a number").arg(codeText));
  Target t;
  if (!resolve(path, t)) return false;
  const bool usable = t.form->visible() && t.form->enabled() && (!t.widget || t.widget->usable());
  if (!usable) print_(QStringLiteral("[not usable %1]").arg(t.widget ? t.widget->fullName() : t.form->name()));
  t.form->keyDown(t.widget, code);
  return true;
}

bool Driver::close(const QString& args) {
  Target t;
  if (!resolve(args.trimmed(), t)) return false;
  if (t.widget || t.timer) return fail(QStringLiteral("%1 is not a screen").arg(args.trimmed()));
  if (!t.form->visible() || !t.form->enabled()) print_(QStringLiteral("[not usable %1]").arg(t.form->name()));
  if (t.form->visible() && t.form->closeRequested) t.form->closeRequested();
  return true;
}

bool Driver::scroll(const QString& args) {
  const auto [path, valueText] = firstWord(args);
  bool ok = false;
  const int value = valueText.trimmed().toInt(&ok);
  if (!ok) return fail(QStringLiteral("\"%1\" is not a number").arg(valueText));
  Target t;
  if (!resolve(path, t)) return false;
  if (!t.widget || t.widget->kind() != WidgetKind::ScrollBar)
    return fail(QStringLiteral("%1 is not a scroll bar").arg(path));
  if (!t.widget->usable()) {
    print_(QStringLiteral("[not usable %1]").arg(t.widget->fullName()));
    return true;
  }
  static_cast<platform::ScrollBar*>(t.widget)->setValue(value);
  return true;
}

bool Driver::answer(const QString& args) {
  const QStringList words = args.split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty()) return fail(QStringLiteral("answer needs OK, Cancel, Yes or No"));
  std::vector<Answer> answers;
  for (const QString& w : words) {
    if (w == u"OK")
      answers.push_back(Answer::OK);
    else if (w == u"Cancel")
      answers.push_back(Answer::Cancel);
    else if (w == u"Yes")
      answers.push_back(Answer::Yes);
    else if (w == u"No")
      answers.push_back(Answer::No);
    else
      return fail(QStringLiteral("\"%1\" is not OK, Cancel, Yes or No").arg(w));
  }
  for (Answer a : answers) dialogs_.queueAnswer(a);
  return true;
}

bool Driver::file(const QString& args) {
  const QString path = unescape(args);
  if (path.isEmpty()) return fail(QStringLiteral("file needs a path or cancel"));
  dialogs_.queueFile(path == u"cancel" ? std::nullopt : std::optional<QString>(path));
  return true;
}

bool Driver::random(const QString& args) {
  const QStringList words = args.split(u' ', Qt::SkipEmptyParts);
  if (words.isEmpty()) return fail(QStringLiteral("random needs values"));
  std::vector<float> values;
  for (const QString& w : words) {
    bool ok = false;
    const double v = w.toDouble(&ok);
    const float f = static_cast<float>(v);
    if (!ok || !(f >= 0.0f) || f >= 1.0f) return fail(QStringLiteral("random value \"%1\" is not in [0, 1)").arg(w));
    values.push_back(f);
  }
  for (float v : values) ctx_.random.queue(v);
  return true;
}

bool Driver::seed(const QString& args) {
  bool ok = false;
  const qlonglong value = args.trimmed().toLongLong(&ok);
  if (!ok) return fail(QStringLiteral("seed \"%1\" is not a number").arg(args));
  ctx_.random.seed(static_cast<quint32>(value));
  if (onSeed) onSeed(static_cast<quint32>(value));
  return true;
}

bool Driver::wait(const QString& args) {
  bool ok = false;
  const qlonglong ms = args.trimmed().toLongLong(&ok);
  if (!ok || ms < 0) return fail(QStringLiteral("wait needs milliseconds"));
  time_.wait(ms);
  return true;
}

bool Driver::hold(const QString& args) {
  bool ok = false;
  const qlonglong ms = args.trimmed().toLongLong(&ok);
  if (!ok || ms < 0) return fail(QStringLiteral("hold needs milliseconds"));
  dialogs_.whileNextOpen = [this, ms] { time_.wait(ms); };
  return true;
}

bool Driver::until(const QString& args) {
  const auto [formName, msText] = firstWord(args.trimmed());
  qint64 maxMs = 600000;
  if (!msText.isEmpty()) {
    bool ok = false;
    maxMs = msText.trimmed().toLongLong(&ok);
    if (!ok || maxMs < 0) return fail(QStringLiteral("until needs milliseconds"));
  }
  if (!ctx_.forms.isDefined(formName)) return fail(QStringLiteral("unknown screen %1").arg(formName));
  const bool shown = time_.until([&] { return ctx_.ended() || ctx_.forms.isShown(formName); }, maxMs);
  if (ctx_.ended()) return true;
  if (!shown) return fail(QStringLiteral("%1 was not shown within %2 ms").arg(formName).arg(maxMs));
  return true;
}

std::optional<QString> Driver::describe(const Target& t, const QString& attribute) {
  if (t.timer) {
    if (attribute == u"enabled") return yesNo(t.timer->enabled());
    if (attribute == u"interval" || attribute.isEmpty()) return QString::number(t.timer->interval());
    return std::nullopt;
  }
  if (!t.widget) {
    if (attribute.isEmpty() || attribute == u"caption") return t.form->caption();
    if (attribute == u"enabled") return yesNo(t.form->enabled());
    if (attribute == u"visible") return yesNo(t.form->visible());
    if (attribute == u"colour")
      return t.form->backColor() ? t.form->backColor()->toString() : QStringLiteral("default");
    return std::nullopt;
  }
  Widget& w = *t.widget;
  if (attribute.isEmpty()) return w.displayText();
  if (attribute == u"caption") return w.caption();
  if (attribute == u"visible") return yesNo(w.visible());
  if (attribute == u"enabled") return yesNo(w.enabled());
  if (attribute == u"left") return QString::number(w.left());
  if (attribute == u"top") return QString::number(w.top());
  if (attribute == u"width") return QString::number(w.width());
  if (attribute == u"height") return QString::number(w.height());
  if (attribute == u"colour") return w.backColor() ? w.backColor()->toString() : QStringLiteral("default");
  if (attribute == u"forecolour") return w.foreColor() ? w.foreColor()->toString() : QStringLiteral("default");
  switch (w.kind()) {
    case WidgetKind::ComboBox: {
      auto& list = static_cast<platform::ComboBox&>(w);
      if (attribute == u"items") return list.items().join(u'|');
      if (attribute == u"value") return QString::number(list.listIndex());
      break;
    }
    case WidgetKind::CheckBox: {
      auto& box = static_cast<platform::CheckBox&>(w);
      if (attribute == u"checked") return yesNo(box.checked());
      if (attribute == u"value") return box.checked() ? QStringLiteral("1") : QStringLiteral("0");
      break;
    }
    case WidgetKind::OptionButton: {
      auto& option = static_cast<platform::OptionButton&>(w);
      if (attribute == u"checked" || attribute == u"value") return yesNo(option.selected());
      break;
    }
    case WidgetKind::ScrollBar:
      if (attribute == u"value") return QString::number(static_cast<platform::ScrollBar&>(w).value());
      break;
    case WidgetKind::TextBox: {
      auto& box = static_cast<platform::TextBox&>(w);
      if (attribute == u"value") return box.text();
      if (attribute == u"readonly") return yesNo(box.readOnly());
      break;
    }
    default: break;
  }
  return std::nullopt;
}

void Driver::printWidget(const QString& label, const Target& t, const QString& attribute) {
  print_(label + QStringLiteral(" = ") + describe(t, attribute).value_or(QString()));
}

bool Driver::print(const QString& args) {
  const QString path = args.trimmed();
  Target t;
  if (!resolve(path, t)) return false;
  if (!describe(t, t.attribute)) return fail(QStringLiteral("%1 has no such attribute").arg(path));
  printWidget(path, t, t.attribute);
  return true;
}

bool Driver::dump(const QString& args) {
  Target t;
  if (!resolve(args.trimmed(), t)) return false;
  print_(t.form->name() + QStringLiteral(" = ") + t.form->caption());
  for (Widget* w : t.form->widgets()) {
    Target each{t.form, w, nullptr, {}};
    printWidget(w->fullName(), each, {});
  }
  return true;
}

bool Driver::takeShot(const QString& args) {
  if (!shot) return fail(QStringLiteral("shot needs the real windows (--qt)"));
  if (!shot(args.trimmed(), nullptr)) return fail(QStringLiteral("could not save %1").arg(args.trimmed()));
  return true;
}

bool Driver::photo(const QString& args) {
  const auto [formName, file] = firstWord(args.trimmed());
  Target t;
  if (!resolve(formName, t)) return false;
  if (!shot) return fail(QStringLiteral("photo needs the real windows (--qt)"));
  if (!shot(file.trimmed(), t.form)) return fail(QStringLiteral("could not save %1").arg(file.trimmed()));
  return true;
}

// Starts the replay from the screen in front, which shows again at its end;
// `wait` and `until` let it play.
bool Driver::replay(const QString& args) {
  if (args.isEmpty()) return fail(QStringLiteral("replay needs a file"));
  if (ctx_.replay || ctx_.forms.isShown(QStringLiteral("Form1"))) {
    return fail(QStringLiteral("replay: a bout is on the battle screen already"));
  }
  Form* from = nullptr;
  for (Form* f : ctx_.forms.openForms()) {
    if (f->visible()) from = f;
  }
  watchReplay(ctx_, args, from);
  time_.settle();
  return true;
}

bool Driver::screens(const QString&) {
  QStringList names;
  for (Form* f : ctx_.forms.openForms()) {
    names << (f->visible() ? f->name() : f->name() + QStringLiteral("(hidden)"));
  }
  print_(QStringLiteral("screens = ") + names.join(u' '));
  return true;
}

}  // namespace mofurin
