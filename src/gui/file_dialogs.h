// The file dialogs of the menu "Файл": Qt's standard dialogs with captions,
// filters and buttons in the window's language. The window asks through a FileChooser, which
// a test replaces to answer without a dialog.
#pragma once

#include <QString>

class QWidget;

namespace lumet {

// What a dialog asks for: its caption, the filter of the files it lists, the
// suffix a name without one receives, and the file it proposes (a folder to
// look in when it opens, a whole path when it saves).
// The filter may offer several kinds (";;" between them); the one chosen
// is written to `chosenFilter` when it is given.
struct FileQuery {
  QString caption, filter, suffix, proposed;
  QString* chosenFilter = nullptr;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The file to open or to write, or an empty string when the user cancels.
  // A file to write may come without its suffix, and may exist: the window
  // adds the suffix and asks before replacing a file, in its own words
  // whatever the dialog.
  virtual QString toOpen(QWidget* parent, const FileQuery& query);
  virtual QString toSave(QWidget* parent, const FileQuery& query);
};

}  // namespace lumet
