// The About window: the laboratory's manual in a scrolling box, two caption
// lines and "Закрыть" ("Close"). Modeless; it reads and changes nothing of the model.
#pragma once

#include <QWidget>
#include <string>

#include "model/local_text.h"

class QPlainTextEdit;
class QPushButton;
class QLabel;

namespace lumet {

class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own (not a child painted into the parent); it is
  // destroyed when closed, so every opening builds the text anew. The text
  // ends with the folder where the run log goes; the window opens at the
  // zoom of the form that opens it.
  explicit AboutWindow(QWidget* parent = nullptr, const std::string& logFolder = ".",
                       qreal zoom = 1, Language language = Language::ru);

  // The manual and the window's texts in the language.
  void showIn(Language language);

  QPlainTextEdit* text() const { return Text1_; }
  QPushButton* closeButton() const { return Command1_; }
  // How much the window is enlarged: 1 at its twip size.
  qreal zoom() const { return zoom_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int px(int twips) const;
  void place();
  qreal zoom_ = 1;
  std::string logFolder_;
  QSize baseSize_;  // the window's size at zoom 1
  QPlainTextEdit* Text1_;
  QPushButton* Command1_;
  QLabel* Label1_;
  QLabel* Label2_;
};

// The distribution note and the maker's line under the text, in the
// window's language.
QString aboutDistribution();
QString aboutMaker();
// The last paragraph of the text: the folder of the run log.
QString aboutLogNote(const std::string& logFolder);

}  // namespace lumet
