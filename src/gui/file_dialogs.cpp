#include "gui/file_dialogs.h"

#include <QFileDialog>

namespace lumet {

namespace {

QString chosen(QWidget* parent, const FileQuery& query, QFileDialog::AcceptMode mode) {
  const bool save = mode == QFileDialog::AcceptSave;
  QFileDialog dialog(parent, query.caption, save ? QString() : query.proposed, query.filter);
  dialog.setObjectName("fileDialog");
  dialog.setAcceptMode(mode);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(query.suffix);
  if (save) dialog.selectFile(query.proposed);
  // Qt's own dialog speaks English without a translation: its words are
  // given here (a dialog of the desktop speaks the desktop's language).
  dialog.setLabelText(QFileDialog::LookIn, QString::fromUtf8("Папка:"));
  dialog.setLabelText(QFileDialog::FileName, QString::fromUtf8("Имя файла:"));
  dialog.setLabelText(QFileDialog::FileType, QString::fromUtf8("Тип файлов:"));
  dialog.setLabelText(QFileDialog::Accept, QString::fromUtf8(save ? "Сохранить" : "Открыть"));
  dialog.setLabelText(QFileDialog::Reject, QString::fromUtf8("Отмена"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString FileChooser::toOpen(QWidget* parent, const FileQuery& query) {
  return chosen(parent, query, QFileDialog::AcceptOpen);
}

QString FileChooser::toSave(QWidget* parent, const FileQuery& query) {
  return chosen(parent, query, QFileDialog::AcceptSave);
}

}  // namespace lumet
