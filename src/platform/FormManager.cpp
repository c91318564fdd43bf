#include "platform/FormManager.h"

#include <algorithm>

#include "platform/Platform.h"

namespace mofurin::platform {

FormManager::~FormManager() {
  for (auto& form : open_) {
    form->stopTimers();
    platform_.closeForm(*form);
  }
}

void FormManager::define(const QString& name, Factory factory) { factories_[name] = std::move(factory); }

Form* FormManager::find(const QString& name) const {
  for (const auto& form : open_) {
    if (form->name() == name) return form.get();
  }
  return nullptr;
}

Form& FormManager::load(const QString& name) {
  if (Form* open = find(name)) return *open;
  std::unique_ptr<Form> created = factories_.at(name)();
  Form& form = *created;
  form.closeRequested = [this, &form] { requestClose(form); };
  open_.push_back(std::move(created));
  form.Form_Load();
  return form;
}

Form& FormManager::show(const QString& name) {
  Form& form = load(name);
  if (ended_ || form.visible() || !find(name)) return form;
  form.setVisibleState(true);
  platform_.showForm(form);
  platform_.trace(QStringLiteral("[show %1]").arg(name));
  return form;
}

void FormManager::toFront(Form& form) {
  if (!ended_ && form.visible()) platform_.showForm(form);
}

void FormManager::hide(Form& form) {
  if (!form.visible()) return;
  form.setVisibleState(false);
  platform_.hideForm(form);
}

void FormManager::close(Form& form) {
  auto it = std::find_if(open_.begin(), open_.end(), [&](const auto& f) { return f.get() == &form; });
  if (it == open_.end()) return;
  std::unique_ptr<Form> closing = std::move(*it);
  open_.erase(it);
  closing->stopTimers();
  closing->Form_Unload();
  const bool wasShown = closing->visible();
  closing->setVisibleState(false);
  platform_.closeForm(*closing);
  if (wasShown && !ended_) platform_.trace(QStringLiteral("[close %1]").arg(closing->name()));
  closed_.push_back(std::move(closing));
  if (!collectPosted_) {
    collectPosted_ = true;
    platform_.post([this] { collect(); });
  }
}

void FormManager::endAll() {
  if (ended_) return;
  for (auto& form : open_) form->Form_End();
  ended_ = true;
  for (auto& form : open_) {
    form->stopTimers();
    form->setVisibleState(false);
    platform_.closeForm(*form);
  }
}

void FormManager::collect() {
  collectPosted_ = false;
  closed_.clear();
}

void FormManager::requestClose(Form& form) {
  // A screen that does not take input now (the hub beside the shop) does not
  // close either.
  if (!form.enabled()) return;
  if (closeEndsProgram(form) && mayEnd && (!mayEnd() || !isOpen(form))) return;
  close(form);
  const bool anyShown =
      std::any_of(open_.begin(), open_.end(), [](const auto& f) { return f->visible() && f->keepsGameOpen(); });
  if (!anyShown && lastWindowClosed) lastWindowClosed();
}

bool FormManager::closeEndsProgram(const Form& form) const {
  if (form.closeShowsAnotherScreen()) return false;
  return std::none_of(open_.begin(), open_.end(),
                      [&](const auto& f) { return f.get() != &form && f->visible() && f->keepsGameOpen(); });
}

bool FormManager::isOpen(const Form& form) const {
  return std::any_of(open_.begin(), open_.end(), [&](const auto& f) { return f.get() == &form; });
}

bool FormManager::isShown(const QString& name) const {
  const Form* form = find(name);
  return form && form->visible();
}

std::vector<Form*> FormManager::openForms() const {
  std::vector<Form*> forms;
  for (const auto& f : open_) forms.push_back(f.get());
  return forms;
}

}  // namespace mofurin::platform
