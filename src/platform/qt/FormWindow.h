#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "platform/Form.h"
#include "platform/Widgets.h"

class QAction;
class QMenuBar;

namespace mofurin::platform {

class Binding;

constexpr int twipsToPixels(int twips) { return (twips + 7) / 15; }

// The real window of one screen: a menu bar if the screen has menus, and a
// client area of the screen's size where every widget sits at its place.
class FormWindow final : public QWidget, public FormView {
 public:
  FormWindow(Form& form, QString pictureFolder);
  ~FormWindow() override;

  void refresh(FormProp what) override;
  void detach() override;  // the screen is gone: forget it and its widgets
  void focus(Widget& w) override;

  const QString& pictureFolder() const { return pictureFolder_; }
  void takeInitialFocus();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  void buildMenus();
  void addKeyShortcuts();
  void openMenuAt(QAction* entry);
  void giveKeyboard(QWidget* w);
  QWidget* containerFor(const Widget& w);
  Widget* ownerOf(QObject* object) const;

  Form* form_;
  QString pictureFolder_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::map<const Widget*, QWidget*> qwidgets_;
  std::map<const Widget*, QAction*> menuActions_;
  // A menu entry that has the keyboard once the window is active.
  QPointer<QAction> entryToOpen_;
  std::vector<std::unique_ptr<Binding>> bindings_;
};

// Qt key -> the game's key code (-1 for keys the game has no code for).
int gameKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace mofurin::platform
