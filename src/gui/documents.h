// What the window keeps in files and gives away: set-up files opened and
// saved, the pictures as PNG, the result table as CSV and on the clipboard.
// Every write goes through the core's atomic writer and is checked: a
// failure shows one message naming the file and the reason.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "app/experiment.h"
#include "form/controls.h"
#include "gui/file_dialogs.h"
#include "model/messages.h"

class QImage;

namespace lumet {

class MainWindow;

class Documents {
 public:
  explicit Documents(MainWindow& window);

  // Opens a set-up file as "Открыть установку…" does: all or nothing; a
  // refused file shows its message and changes nothing. The window's title
  // then names the file, and the next dialog opens in its folder.
  bool open(const QString& path);
  // Opens a ready experiment: the same, but the dialogs keep their folder.
  bool openExample(const QString& path);

  // The items of the menu "Файл" and "Правка": each asks for the file and
  // writes it, or puts the table on the clipboard.
  void chooseAndOpen();
  void saveSetup();
  // "Свойства установки…": the title and description, kept with the set-up
  // and shown under the form.
  void editProperties();
  void savePicture(ControlId picture);
  void saveResults();
  void copyResults();
  // Asks for a file, proposing the current set-up's name followed by
  // nameEnd, and writes the bytes there as a PNG or a CSV file: false when
  // the user chose none or the write failed (which is told).
  bool saveFile(const char* caption, bool png, const QString& nameEnd, Msg what,
                const std::string& bytes);

  // The set-up file last opened or saved (empty before any).
  QString current() const { return current_; }
  // The folder the next dialog opens in.
  QString folder() const { return folder_; }
  // Replaces the dialogs (a test answers them itself).
  void setChooser(std::unique_ptr<FileChooser> chooser) { chooser_ = std::move(chooser); }

 private:
  bool take(const QString& path);
  QString chooseToSave(const char* caption, const char* filter, const char* suffix,
                       const QString& name);
  void named(const QString& path);
  void notSaved(const QString& path, Msg what, const Message& reason);
  bool written(int err, const QString& path, Msg what);
  const Experiment& experiment() const;
  QString stem() const;
  void showTitleAndDescription();

  MainWindow& window_;
  std::unique_ptr<FileChooser> chooser_ = std::make_unique<FileChooser>();
  QString current_, folder_;
};

// The PNG of an image, with the resolution (dots per inch) it was shown at;
// empty when it cannot be encoded.
std::string pngBytes(const QImage& image, qreal dotsPerInch);

}  // namespace lumet
