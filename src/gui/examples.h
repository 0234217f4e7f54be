// The ready experiments of the menu "Опыты": the set-up files (*.lumet) in
// the folders where they are kept beside the program, in the source tree
// and where they are installed.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "model/local_text.h"

namespace lumet {

struct Example {
  QString path;         // the set-up file
  QString title;        // its title in the language, or the file's name when it has none
  QString description;  // the status tip of its menu item, in the language
};

// The folders that may hold ready experiments, in the order they are
// searched: examples/ of the source tree beside the build folder of the
// program, ../share/lumet/examples beside an installed program, examples/
// in the data folders of the application (the user's is
// ~/.local/share/Lumet/examples, beside the run log), and lumet/examples in
// the data folders of the system and the user, which earlier versions read.
QStringList exampleFolders(const QString& programDir);

// The set-up files of those folders that exist, one of each file name (the
// first folder that has it), with their titles and descriptions in the
// language, in the order of their titles. A file that is refused still
// stands under its file name: opening it names its problem.
std::vector<Example> findExamples(const QStringList& folders, Language language = Language::ru);

}  // namespace lumet
