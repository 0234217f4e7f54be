// The About window: the laboratory's manual in a scrolling box, two caption
// lines and "Закрыть". Modeless; it reads and changes nothing of the model.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QLabel;

namespace lumet {

class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own (not a child painted into the parent); it is
  // destroyed when closed, so every opening builds the text anew.
  explicit AboutWindow(QWidget* parent = nullptr);

  QPlainTextEdit* text() const { return Text1_; }
  QPushButton* closeButton() const { return Command1_; }

 private:
  int px(int twips) const;
  QPlainTextEdit* Text1_;
  QPushButton* Command1_;
  QLabel* Label1_;
  QLabel* Label2_;
};

// The distribution note and the maker's line under the text.
extern const char* const kAboutDistribution;
extern const char* const kAboutMaker;

}  // namespace lumet
