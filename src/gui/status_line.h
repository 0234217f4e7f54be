// The status line under the form: the status tip of the menu item under
// the pointer (the description of a ready experiment), otherwise a notice of
// the boxes that hold a mistake, otherwise the title and description of the
// set-up last opened. It wraps to as many lines as
// its height holds and ends with "…" where the text goes on.
#pragma once

#include <QString>
#include <QWidget>

namespace lumet {

class StatusLine : public QWidget {
  Q_OBJECT

 public:
  // Shows the status tips that reach `window` (those of its menus and of
  // every widget in it).
  explicit StatusLine(QWidget* window);

  // The text shown while no status tip is.
  void setIdleText(const QString& text);
  // A notice shown instead of that text until it is cleared (an empty
  // notice): which box holds a mistake, and why.
  void setNotice(const QString& text);
  QString notice() const { return notice_; }
  QString text() const { return text_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void show(const QString& text);

  QString resting() const { return notice_.isEmpty() ? idle_ : notice_; }

  QString text_, idle_, notice_;
};

}  // namespace lumet
