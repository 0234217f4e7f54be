#include "gui/manual.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace lumet {

std::string manualText(Language language) {
  QFile file(QStringLiteral(":/manual.%1.md").arg(languageCode(language)));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(file.readAll());
  // Paragraphs stand apart by an empty line; the lines of one paragraph
  // are joined by a blank, as the manual is wrapped for reading.
  std::string out;
  for (const QString& paragraph : text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
    const QString joined = paragraph.trimmed().split(QChar('\n')).join(QChar(' '));
    if (joined.isEmpty()) continue;
    out += joined.toStdString() + " \r\n\r\n";
  }
  return out;
}

}  // namespace lumet
