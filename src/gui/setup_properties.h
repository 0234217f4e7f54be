// "Файл → Свойства установки…": the title and the description of the set-up,
// which a set-up file keeps and the menu "Опыты" shows for a teacher's own
// experiments.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace lumet {

class SetupProperties : public QDialog {
  Q_OBJECT

 public:
  SetupProperties(const QString& title, const QString& description, QWidget* parent = nullptr);

  QString title() const;
  QString description() const;
  QLineEdit* titleBox() const { return title_; }
  QPlainTextEdit* descriptionBox() const { return description_; }

 private:
  void keepWithinLimit();

  QLineEdit* title_;
  QPlainTextEdit* description_;
};

}  // namespace lumet
