#include "gui/documents.h"

#include <QBuffer>
#include <QClipboard>
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

const char* const kSetupFilter = "Установки Lumet (*.lumet)";
const char* const kPngFilter = "Рисунки PNG (*.png)";
const char* const kCsvFilter = "Таблицы CSV (*.csv)";

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
  showTitleAndDescription();
  return true;
}

void Documents::showTitleAndDescription() {
  const Experiment& x = window_.laboratory().experiment();
  QString about = QString::fromStdString(x.title);
  const QString description = QString::fromStdString(x.description);
  if (!about.isEmpty() && !description.isEmpty()) about += ". ";
  window_.statusLine()->setIdleText(about + description);
}

void Documents::editProperties() {
  Experiment& x = window_.laboratory().experiment();
  SetupProperties dialog(QString::fromStdString(x.title), QString::fromStdString(x.description),
                         &window_);
  if (dialog.exec() != QDialog::Accepted) return;
  x.title = dialog.title().toStdString();
  x.description = dialog.description().toStdString();
  showTitleAndDescription();
}

void Documents::named(const QString& path) {
  current_ = path;
  window_.setWindowTitle(qstr("Lumet1R — ") + QFileInfo(path).fileName());
}

void Documents::chooseAndOpen() {
  const QString path =
      chooser_->toOpen(&window_, {qstr("Открыть установку"), qstr(kSetupFilter), "lumet", folder_});
  if (!path.isEmpty()) open(path);
}

QString Documents::stem() const {
  return current_.isEmpty() ? QString("lumet") : QFileInfo(current_).completeBaseName();
}

QString Documents::chooseToSave(const char* caption, const char* filter, const char* suffix,
                                const QString& name) {
  const FileQuery query{qstr(caption), qstr(filter), suffix, QDir(folder_).filePath(name)};
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
  const QString name =
      current_.isEmpty() ? qstr("установка.lumet") : QFileInfo(current_).fileName();
  const QString path = chooseToSave("Сохранить установку", kSetupFilter, "lumet", name);
  if (path.isEmpty()) return;
  const SetupSaved saved = SaveSetup(experiment(), local(path));
  if (saved.refused)
    notSaved(path, Msg::WhatSetup, *saved.refused);
  else if (written(saved.err, path, Msg::WhatSetup))
    named(path);
}

void Documents::savePicture(ControlId picture) {
  const bool right = picture == Picture1;
  const QString name = stem() + (right ? qstr("-правый.png") : qstr("-нижний.png"));
  const QString path = chooseToSave(right ? "Сохранить правый рисунок" : "Сохранить нижний рисунок",
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
  const QString path = chooseToSave("Сохранить таблицу результатов", kCsvFilter, "csv",
                                    stem() + qstr("-результаты.csv"));
  if (!path.isEmpty()) written(SaveResults(experiment(), local(path)), path, Msg::WhatResults);
}

const Experiment& Documents::experiment() const { return window_.laboratory().experiment(); }

void Documents::copyResults() {
  const std::string table = resultsTable(resultTable(experiment()), '\t', "\n");
  QGuiApplication::clipboard()->setText(QString::fromStdString(table));
}

}  // namespace lumet
