#pragma once

#include <QString>
#include <functional>

class QComboBox;
class QWidget;

namespace mofurin::platform {

class Widget;

// What a screen reader learns of the game's windows, through the desktop's
// accessibility bus: each screen as a window named by its caption, each
// widget with the name the screen gives it, pictures as images, and the
// bout's messages read out as they come.

// Once per process, before the first window shows.
void installAccessibility();

// A screen's window: published as a window, not as a plain panel.
void publishAsWindow(QWidget& window);

// Publishes the widget's role (pictures as images, live labels as
// notifications) before its window is first asked for.
void publishRole(const Widget& w, QWidget& q);

// The widget's name as the screen reader says it.
void publishName(const Widget& w, QWidget& q, const QString& shownName);

// A screen reader picks a list's entry by selecting it in the closed list's
// items; `pick` receives that entry's index.
void followPicksFromReaders(QComboBox& list, std::function<void(int)> pick);

// A live widget's text changed: the screen reader reads out what is new in
// it, wherever the keyboard is.
void announceChange(QWidget& q, const QString& text);

}  // namespace mofurin::platform
