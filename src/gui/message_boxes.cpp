#include "gui/message_boxes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>

namespace lumet {

QString messageText(std::string_view text) {
  QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

namespace {

// Shows a modal box over the whole application and returns the button the
// user pressed. Plain text: a message such as "Yn <= -Rz" is never taken
// for markup, and its leading blanks stay.
QMessageBox::StandardButton ask(QWidget* parent, std::string_view text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("Lumet"));
  box.setIcon(QMessageBox::NoIcon);
  box.setTextFormat(Qt::PlainText);
  box.setText(messageText(text));
  box.setStandardButtons(buttons);
  box.setDefaultButton(defaultButton);
  // The question's buttons in the window's language, without Qt's
  // underlined keys.
  if (QAbstractButton* yes = box.button(QMessageBox::Yes))
    yes->setText(QCoreApplication::translate("MessageBoxes", "Yes"));
  if (QAbstractButton* no = box.button(QMessageBox::No))
    no->setText(QCoreApplication::translate("MessageBoxes", "No"));
  box.setWindowModality(Qt::ApplicationModal);
  return QMessageBox::StandardButton(box.exec());
}

}  // namespace

void MessageBoxes::message(const Message& text) {
  if (instead) return instead->message(text);
  if (beforeOpening) beforeOpening();
  ask(parent_, textOf(text, language), QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxes::question(const Message& text) {
  if (instead) return instead->question(text);
  if (beforeOpening) beforeOpening();
  return ask(parent_, textOf(text, language), QMessageBox::Yes | QMessageBox::No,
             QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace lumet
