#pragma once

#include <QString>
#include <optional>

namespace mofurin::platform {

inline const QString kAppTitle = QStringLiteral("モフリンＧＰ");
// The game's name as shown in the current language (boxes titled kAppTitle
// show this).
QString appTitle();

enum class Buttons { OK, OKCancel, YesNo };
enum class Icon { None, Question, Exclamation };
enum class Answer { OK, Cancel, Yes, No };

struct Message {
  QString text;
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
  QString title = kAppTitle;
};

QString buttonsName(Buttons b);  // "OK", "OKCancel", "YesNo"
QString answerName(Answer a);    // "OK", "Cancel", "Yes", "No"
Answer firstButton(Buttons b);

// Modal message boxes and file dialogs. A box holds the handler that opened
// it until it is answered. A file filter is "description|pattern".
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer message(const Message& box) = 0;
  virtual std::optional<QString> openFile(const QString& filter, const QString& folder) = 0;
  virtual std::optional<QString> saveFile(const QString& filter) = 0;
};

}  // namespace mofurin::platform
