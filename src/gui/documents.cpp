#include "gui/documents.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QStandardPaths>
#include <cmath>

#include "app/results.h"
#include "app/setup_file.h"
#include "gui/main_window.h"
#include "gui/picture_widget.h"
#include "gui/setup_properties.h"
#include "gui/status_line.h"
#include "output/csv.h"
#include "output/file_write.h"

namespace lumet {

namespace {

QString qstr(const char* s) { return QString::fromUtf8(s); }
std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The dialogs' texts, English in the source, in the window's language.
QString text(const char* s) { return QCoreApplication::translate("Documents", s); }

const char* const kSetupFilter = QT_TRANSLATE_NOOP("Documents", "Lumet set-ups (*.lumet)");
const char* const kPngFilter = QT_TRANSLATE_NOOP("Documents", "PNG pictures (*.png)");
const char* const kCsvFilter = QT_TRANSLATE_NOOP("Documents", "CSV tables (*.csv)");

// Where the dialogs open before the user has chosen a file: the documents
// folder, or home where there is none.
QString firstFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

// A name the user gave without a suffix gets the one of its kind.
QString withSuffix(const QString& path, const char* suffix) {
  return QFileInfo(path).suffix().isEmpty() ? path + '.' + suffix : path;
}

}  // namespace

std::string pngBytes(const QImage& image, qreal dotsPerInch) {
  QImage copy = image;
  const int perMetre = qRound(dotsPerInch / 0.0254);
  copy.setDotsPerMeterX(perMetre);
  copy.setDotsPerMeterY(perMetre);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !copy.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

Documents::Documents(MainWindow& window) : window_(window), folder_(firstFolder()) {}

bool Documents::open(const QString& path) {
  if (!take(path)) return false;
  folder_ = QFileInfo(current_).absolutePath();
  return true;
}

bool Documents::openExample(const QString& path) { return take(path); }

bool Documents::take(const QString& path) {
  const QString whole = QFileInfo(path).absoluteFilePath();
  const SetupRead read = readSetupFile(local(whole));
  if (!read.setup) {
    window_.showMessage(setupRefusal(local(whole), read.problem));
    return false;
  }
  Form& form = window_.form();
  const Report r = form.laboratory().take(*read.setup);
  form.take(r);
  named(whole);
  window_.showReport(r);
  window_.describeSetup();
  return true;
}

void Documents::editProperties() {
  // The title and description in the window's language; those of the other
  // languages stay as they are.
  Experiment& x = window_.laboratory().experiment();
  const Language language = window_.language();
  SetupProperties dialog(QString::fromStdString(x.title.in(language)),
                         QString::fromStdString(x.description.in(language)), &window_);
  if (dialog.exec() != QDialog::Accepted) return;
  x.title.set(language, dialog.title().toStdString());
  x.description.set(language, dialog.description().toStdString());
  window_.describeSetup();
}

void Documents::named(const QString& path) {
  current_ = path;
  window_.setWindowTitle(qstr("Lumet1R — ") + QFileInfo(path).fileName());
}

void Documents::chooseAndOpen() {
  const QString path =
      chooser_->toOpen(&window_, {QCoreApplication::translate("Documents", "Open set-up"),
                                  text(kSetupFilter), "lumet", folder_});
  if (!path.isEmpty()) open(path);
}

QString Documents::stem() const {
  return current_.isEmpty() ? QString("lumet") : QFileInfo(current_).completeBaseName();
}

QString Documents::chooseToSave(const char* caption, const char* filter, const char* suffix,
                                const QString& name) {
  const FileQuery query{text(caption), text(filter), suffix, QDir(folder_).filePath(name)};
  QString path = chooser_->toSave(&window_, query);
  if (path.isEmpty()) return path;
  path = withSuffix(QFileInfo(path).absoluteFilePath(), suffix);
  folder_ = QFileInfo(path).absolutePath();
  const Message replace(Msg::ReplaceFile, QFileInfo(path).fileName().toStdString());
  if (QFileInfo(path).isFile() && !window_.ask(replace)) return {};
  return path;
}

void Documents::notSaved(const QString& path, Msg what, const Message& reason) {
  window_.showMessage(
      Message(Msg::SaveFailed, Message(what), QFileInfo(path).fileName().toStdString(), reason));
}

bool Documents::written(int err, const QString& path, Msg what) {
  if (err != 0) notSaved(path, what, fileProblem(err));
  return err == 0;
}

void Documents::saveSetup() {
  const QString name = current_.isEmpty() ? QCoreApplication::translate("Documents", "set-up.lumet")
                                          : QFileInfo(current_).fileName();
  const QString path =
      chooseToSave(QT_TRANSLATE_NOOP("Documents", "Save set-up"), kSetupFilter, "lumet", name);
  if (path.isEmpty()) return;
  const SetupSaved saved = SaveSetup(experiment(), local(path));
  if (saved.refused)
    notSaved(path, Msg::WhatSetup, *saved.refused);
  else if (written(saved.err, path, Msg::WhatSetup))
    named(path);
}

void Documents::savePicture(ControlId picture) {
  const bool right = picture == Picture1;
  const QString name = stem() + (right ? QCoreApplication::translate("Documents", "-right.png")
                                       : QCoreApplication::translate("Documents", "-lower.png"));
  const QString path = chooseToSave(right ? QT_TRANSLATE_NOOP("Documents", "Save right picture")
                                          : QT_TRANSLATE_NOOP("Documents", "Save lower picture"),
                                    kPngFilter, "png", name);
  if (path.isEmpty()) return;
  const QImage& image = window_.picture(picture)->canvas().image();
  const std::string png = pngBytes(image, window_.logicalDpiX() * image.devicePixelRatio());
  if (png.empty())
    notSaved(path, Msg::WhatPicture, Msg::PictureNotEncoded);
  else
    written(writeFileAtomically(local(path), png), path, Msg::WhatPicture);
}

void Documents::saveResults() {
  const QString path =
      chooseToSave(QT_TRANSLATE_NOOP("Documents", "Save result table"), kCsvFilter, "csv",
                   stem() + QCoreApplication::translate("Documents", "-results.csv"));
  if (!path.isEmpty()) written(SaveResults(experiment(), local(path)), path, Msg::WhatResults);
}

bool Documents::saveFile(const char* caption, bool png, const QString& nameEnd, Msg what,
                         const std::string& bytes) {
  const QString path =
      chooseToSave(caption, png ? kPngFilter : kCsvFilter, png ? "png" : "csv", stem() + nameEnd);
  if (path.isEmpty()) return false;
  if (png && bytes.empty()) {
    notSaved(path, what, Msg::PictureNotEncoded);
    return false;
  }
  return written(writeFileAtomically(local(path), bytes), path, what);
}

const Experiment& Documents::experiment() const { return window_.laboratory().experiment(); }

void Documents::copyResults() {
  const std::string table = resultsTable(resultTable(experiment()), '\t', "\n");
  QGuiApplication::clipboard()->setText(QString::fromStdString(table));
}

}  // namespace lumet
