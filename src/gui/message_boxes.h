// The laboratory's message boxes in the window: modal, title "Lumet", one OK
// button, or Yes and No for a question.
#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "app/lab.h"

class QWidget;

namespace lumet {

// The text of a message as the box shows it: a CR LF (or a lone CR) inside
// it breaks the line.
QString messageText(std::string_view text);

class MessageBoxes : public Dialogs {
 public:
  explicit MessageBoxes(QWidget* parent) : parent_(parent) {}
  void message(std::string_view text) override;
  bool question(std::string_view text) override;

  // Called before a box opens: the window shows what the laboratory has
  // done so far, so that the user sees what the message is about.
  std::function<void()> beforeOpening;

 private:
  QWidget* parent_;
};

}  // namespace lumet
