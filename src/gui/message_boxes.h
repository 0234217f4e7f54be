// The laboratory's message boxes in the window: modal, title "Lumet", one OK
// button, or Yes and No for a question.
#pragma once

#include <QString>
#include <functional>
#include <string_view>

#include "app/lab.h"
#include "model/messages.h"

class QWidget;

namespace lumet {

// The text of a message as the box shows it: a CR LF (or a lone CR) inside
// it breaks the line.
QString messageText(std::string_view text);

// Where the window's messages and questions go instead of modal boxes: a
// test notes them.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void message(const Message& text) = 0;
  virtual bool question(const Message& text) = 0;
};

class MessageBoxes : public Asker {
 public:
  explicit MessageBoxes(QWidget* parent) : parent_(parent) {}
  // A message with one OK button; a question with Yes and No.
  void message(const Message& text);
  bool question(const Message& text) override;
  // The language the texts are shown in.
  Language language = Language::ru;
  // Takes the messages and questions instead of the boxes, when set.
  Dialogs* instead = nullptr;

  // Called before a box opens: the window shows what the laboratory has
  // done so far, so that the user sees what the message is about.
  std::function<void()> beforeOpening;

 private:
  QWidget* parent_;
};

}  // namespace lumet
