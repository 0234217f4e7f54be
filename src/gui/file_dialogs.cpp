#include "gui/file_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace lumet {

namespace {

QString text(const char* s) { return QCoreApplication::translate("FileDialogs", s); }

QString chosen(QWidget* parent, const FileQuery& query, QFileDialog::AcceptMode mode) {
  const bool save = mode == QFileDialog::AcceptSave;
  QFileDialog dialog(parent, query.caption, save ? QString() : query.proposed, query.filter);
  dialog.setObjectName("fileDialog");
  dialog.setAcceptMode(mode);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(query.suffix);
  if (save) dialog.selectFile(query.proposed);
  // The rest of Qt's dialog speaks the window's language through Qt's own
  // translation; its labels and buttons are the window's words.
  dialog.setLabelText(QFileDialog::LookIn, text(QT_TRANSLATE_NOOP("FileDialogs", "Look in:")));
  dialog.setLabelText(QFileDialog::FileName, text(QT_TRANSLATE_NOOP("FileDialogs", "File name:")));
  dialog.setLabelText(QFileDialog::FileType,
                      text(QT_TRANSLATE_NOOP("FileDialogs", "Files of type:")));
  dialog.setLabelText(QFileDialog::Accept, save ? text(QT_TRANSLATE_NOOP("FileDialogs", "Save"))
                                                : text(QT_TRANSLATE_NOOP("FileDialogs", "Open")));
  dialog.setLabelText(QFileDialog::Reject, text(QT_TRANSLATE_NOOP("FileDialogs", "Cancel")));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (query.chosenFilter) *query.chosenFilter = dialog.selectedNameFilter();
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
