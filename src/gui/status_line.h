// The status line under the form: the status tip of the menu item under
// the pointer (the description of a ready experiment), otherwise the title
// and description of the set-up last opened. It wraps to as many lines as
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
  QString text() const { return text_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void show(const QString& text);

  QString text_, idle_;
};

}  // namespace lumet
