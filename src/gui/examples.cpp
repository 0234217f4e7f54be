#include "gui/examples.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

#include "app/setup_file.h"

namespace lumet {

QStringList exampleFolders(const QString& programDir) {
  const QDir program(programDir);
  QStringList folders = {program.absoluteFilePath("../examples"),
                         program.absoluteFilePath("../share/lumet/examples")};
  // A teacher's own experiments in Lumet's data folder, beside the run log
  // (~/.local/share/Lumet/examples); then, only read, lumet/examples of the
  // data folders, where they were kept before.
  folders += QStandardPaths::locateAll(QStandardPaths::AppDataLocation, "examples",
                                       QStandardPaths::LocateDirectory);
  folders += QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, "lumet/examples",
                                       QStandardPaths::LocateDirectory);
  for (QString& folder : folders) folder = QDir::cleanPath(folder);
  folders.removeDuplicates();
  return folders;
}

std::vector<Example> findExamples(const QStringList& folders, Language language) {
  std::vector<Example> found;
  QSet<QString> names;
  for (const QString& folder : folders) {
    const QFileInfoList files =
        QDir(folder).entryInfoList({"*.lumet"}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
      if (names.contains(file.fileName())) continue;
      names.insert(file.fileName());
      Example e{file.absoluteFilePath(), file.fileName(), {}};
      const SetupRead read = readSetupFile(QFile::encodeName(e.path).toStdString());
      if (read.setup && !read.setup->title.empty())
        e.title = QString::fromStdString(read.setup->title.in(language));
      if (read.setup) e.description = QString::fromStdString(read.setup->description.in(language));
      found.push_back(e);
    }
  }
  QCollator collator{QLocale(QString(languageCode(language)))};
  std::stable_sort(found.begin(), found.end(), [&collator](const Example& a, const Example& b) {
    return collator.compare(a.title, b.title) < 0;
  });
  return found;
}

}  // namespace lumet
