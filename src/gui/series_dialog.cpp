#include "gui/series_dialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "gui/language.h"
#include "gui/main_window.h"
#include "gui/settings.h"
#include "model/numbers.h"

namespace lumet {

namespace {

QString fromUtf8(const char* s) { return QString::fromUtf8(s); }

// The number parameters a series can vary: those the form labels.
std::vector<P> seriesParameters() {
  std::vector<P> out;
  for (const ParamRow& r : parameterTable())
    if (r.kind == ParamKind::Number && *r.caption.ru) out.push_back(r.id);
  return out;
}

// A parameter as the list shows it: its caption and unit.
QString described(P p, Language l) {
  const ParamRow& r = row(p);
  QString s = fromUtf8(r.caption.in(l)).trimmed();
  if (*r.unit.in(l)) s += ", " + fromUtf8(r.unit.in(l));
  return s;
}

// The value a graph plots from a row of column c, when the run gives one.
std::optional<double> columnValue(const SeriesRow& row, int c) {
  if (row.status != RunStatus::Finished) return std::nullopt;
  if (c == 0) return row.time;
  if (c == 1) return row.path;
  if (c >= 2 && c <= 5) return row.integrals[size_t(c - 2)];
  return row.energyError;
}

// Round steps for an axis from lo to hi: 1, 2 or 5 times a power of ten,
// some five of them across.
double roundStep(double lo, double hi) {
  const double span = hi - lo;
  if (!(span > 0) || !std::isfinite(span)) return 1;
  const double raw = span / 5;
  const double ten = std::pow(10.0, std::floor(std::log10(raw)));
  for (double k : {1.0, 2.0, 5.0})
    if (k * ten >= raw) return k * ten;
  return 10 * ten;
}

// Widens [lo, hi] to whole steps (and a span of some size when it has none).
void roundOut(double& lo, double& hi, double& step) {
  if (!(hi > lo)) {
    const double pad = lo == 0 ? 1 : std::fabs(lo) * 0.1;
    lo -= pad;
    hi += pad;
  }
  step = roundStep(lo, hi);
  lo = std::floor(lo / step) * step;
  hi = std::ceil(hi / step) * step;
}

QString axisNumber(double v, double step) {
  if (std::fabs(v) < step * 1e-9) v = 0;
  return QString::fromStdString(formatBox(v, 6));
}

QColor colourOf(int trajectory) {
  const Rgb c = trajectoryColour(trajectory);
  return QColor(c.r, c.g, c.b);
}

// The trajectory's name as the form's check box gives it.
QString trajectoryName(int i, Language l) {
  const P boxes[] = {P::line, P::cycloid, P::parabola, P::arc, P::free};
  return fromUtf8(row(boxes[i - 1]).caption.in(l));
}

QString settingsKey(const char* name) { return QString("series/") + name; }

}  // namespace

// The rows of a series as the table shows them, cell by cell when they are
// seen (a series of 100 000 runs has half a million rows): numbers as the
// value boxes write them (the CSV keeps 15 digits), the status and the
// message in the window's language.
class SeriesTableModel : public QAbstractTableModel {
 public:
  SeriesTableModel(const std::vector<SeriesRow>& rows, QObject* parent)
      : QAbstractTableModel(parent), rows_(rows) {}

  QStringList headers;
  QString statuses[3];
  Language language = Language::ru;

  // The rows changed, or their words.
  void reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : 12;
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < headers.size())
      return headers[section];
    return QAbstractTableModel::headerData(section, o, role);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || size_t(index.row()) >= rows_.size()) return {};
    const SeriesRow& row = rows_[size_t(index.row())];
    const int c = index.column();
    if (role == Qt::ForegroundRole && c == 2) return QBrush(colourOf(row.trajectory));
    if (role != Qt::DisplayRole) return {};
    const bool done = row.status == RunStatus::Finished;
    auto number = [](double v) { return QString::fromStdString(formatBox(v)); };
    switch (c) {
      case 0: return row.run;
      case 1: return number(row.value);
      case 2: return row.trajectory;
      case 3: return statuses[int(row.status)];
      case 4: return done ? number(row.time) : QString();
      case 5: return done ? number(row.path) : QString();
      case 10: return done ? number(row.energyError) : QString();
      case 11:
        return row.message ? QString::fromStdString(textOf(*row.message, language)) : QString();
      default: return done ? number(row.integrals[size_t(c - 6)]) : QString();
    }
  }

 private:
  const std::vector<SeriesRow>& rows_;
};

// ---- The graph ----

SeriesGraph::SeriesGraph(QWidget* parent) : QWidget(parent) {
  setMinimumSize(360, 280);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void SeriesGraph::show(const std::vector<SeriesRow>* rows, int column, const QString& xTitle,
                       const QString& yTitle, bool logX) {
  rows_ = rows;
  column_ = column;
  xTitle_ = xTitle;
  yTitle_ = yTitle;
  logX_ = logX;
  update();
}

QImage SeriesGraph::picture() {
  QImage image(size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  paint(painter, size());
  return image;
}

void SeriesGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paint(painter, size());
}

void SeriesGraph::paint(QPainter& painter, QSize size) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetrics fm(font());
  const int left = fm.horizontalAdvance("-0.000000e+00") + 8;
  const int right = fm.horizontalAdvance("0.00000e+00") / 2 + 6;
  const int top = fm.height() + 8, bottom = 2 * fm.height() + 14;
  const QRect area(left, top, size.width() - left - right, size.height() - top - bottom);
  if (area.width() < 20 || area.height() < 20) return;

  // The ranges: the parameter's (its logarithm's when the spacing is
  // geometric) and the finished runs' values.
  double xlo = INFINITY, xhi = -INFINITY, ylo = INFINITY, yhi = -INFINITY;
  const bool any = rows_ && !rows_->empty();
  if (any) {
    for (const SeriesRow& r : *rows_) {
      const double x = logX_ ? std::log10(r.value) : r.value;
      xlo = std::min(xlo, x), xhi = std::max(xhi, x);
      if (const auto y = columnValue(r, column_); y && std::isfinite(*y))
        ylo = std::min(ylo, *y), yhi = std::max(yhi, *y);
    }
  }
  if (!(xlo <= xhi)) xlo = 0, xhi = 1;
  if (!(ylo <= yhi)) ylo = 0, yhi = 1;
  double xstep = 1, ystep = 1;
  if (logX_) {
    xlo = std::floor(xlo), xhi = std::ceil(xhi);
    if (xhi <= xlo) xhi = xlo + 1;
  } else {
    roundOut(xlo, xhi, xstep);
  }
  roundOut(ylo, yhi, ystep);
  auto px = [&](double x) { return area.left() + (x - xlo) / (xhi - xlo) * area.width(); };
  auto py = [&](double y) { return area.bottom() - (y - ylo) / (yhi - ylo) * area.height(); };

  // The grid and the round numbers of both axes.
  painter.setPen(QColor(225, 225, 225));
  for (double x = xlo; x <= xhi + xstep * 1e-9; x += xstep)
    painter.drawLine(QPointF(px(x), area.top()), QPointF(px(x), area.bottom()));
  for (double y = ylo; y <= yhi + ystep * 1e-9; y += ystep)
    painter.drawLine(QPointF(area.left(), py(y)), QPointF(area.right(), py(y)));
  painter.setPen(Qt::black);
  painter.drawRect(area);
  for (double x = xlo; x <= xhi + xstep * 1e-9; x += xstep) {
    const QString t =
        logX_ ? axisNumber(std::pow(10.0, x), std::pow(10.0, x)) : axisNumber(x, xstep);
    const int w = fm.horizontalAdvance(t);
    painter.drawText(QPointF(px(x) - w / 2.0, area.bottom() + fm.height() + 2), t);
  }
  for (double y = ylo; y <= yhi + ystep * 1e-9; y += ystep) {
    const QString t = axisNumber(y, ystep);
    painter.drawText(QPointF(area.left() - fm.horizontalAdvance(t) - 4, py(y) + fm.ascent() / 2.0),
                     t);
  }
  painter.drawText(QRect(area.left(), size.height() - fm.height() - 4, area.width(), fm.height()),
                   Qt::AlignHCenter, xTitle_);
  painter.drawText(QRect(4, 2, size.width() - 8, fm.height()), Qt::AlignLeft, yTitle_);
  if (!any) return;

  // One curve per trajectory; a run that failed or did not finish is a
  // cross on the lower edge, in the trajectory's colour.
  std::vector<int> shown;
  bool anyCross = false;
  std::vector<QPointF> points;
  for (int i = 1; i <= 5; ++i) {
    QPainterPath path;
    bool pen = false, seen = false;
    std::vector<QPointF> crosses;
    painter.setPen(QPen(colourOf(i), 1));
    painter.setBrush(colourOf(i));
    for (const SeriesRow& r : *rows_) {
      if (r.trajectory != i) continue;
      seen = true;
      const double x = px(logX_ ? std::log10(r.value) : r.value);
      const auto y = columnValue(r, column_);
      if (!y || !std::isfinite(*y)) {
        crosses.emplace_back(x, area.bottom());
        pen = false;
        continue;
      }
      const QPointF at(x, py(*y));
      points.push_back(at);
      if (pen)
        path.lineTo(at);
      else
        path.moveTo(at);
      pen = true;
      painter.drawEllipse(at, 2.5, 2.5);
    }
    if (!seen) continue;
    shown.push_back(i);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colourOf(i), 2));
    painter.drawPath(path);
    for (const QPointF& c : crosses) {
      painter.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
      painter.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
    }
    anyCross = anyCross || !crosses.empty();
  }

  // The legend, in the upper corner that the points leave freer.
  const QString marks = tr("× failed or not finished");
  int width = anyCross ? fm.horizontalAdvance(marks) : 0;
  for (int i : shown)
    width = std::max(width, 26 + fm.horizontalAdvance(trajectoryName(i, currentLanguage())));
  const int lines = int(shown.size()) + (anyCross ? 1 : 0);
  const QSize box(width + 12, lines * (fm.height() + 2) + 8);
  const QRect leftBox(area.topLeft() + QPoint(6, 6), box);
  const QRect rightBox(QPoint(area.right() - 6 - box.width(), area.top() + 6), box);
  auto inside = [&](const QRect& r) {
    return std::count_if(points.begin(), points.end(),
                         [&](const QPointF& p) { return r.contains(p.toPoint()); });
  };
  const QRect legend = inside(leftBox) < inside(rightBox) ? leftBox : rightBox;
  painter.setPen(QColor(160, 160, 160));
  painter.setBrush(QColor(255, 255, 255, 230));
  painter.drawRect(legend);
  painter.setBrush(Qt::NoBrush);
  int y = legend.top() + 4;
  for (int i : shown) {
    painter.setPen(QPen(colourOf(i), 2));
    painter.drawLine(legend.left() + 6, y + fm.height() / 2, legend.left() + 28,
                     y + fm.height() / 2);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(legend.left() + 32, y + fm.ascent()),
                     trajectoryName(i, currentLanguage()));
    y += fm.height() + 2;
  }
  if (anyCross) {
    painter.setPen(Qt::black);
    painter.drawText(QPointF(legend.left() + 6, y + fm.ascent()), marks);
  }
}

// ---- The dialog ----

SeriesDialog::SeriesDialog(MainWindow& window) : QDialog(&window), window_(window) {
  setObjectName("seriesDialog");
  setModal(false);
  build();
  translate();
  recall();
  poll_.setInterval(100);
  connect(&poll_, &QTimer::timeout, this, &SeriesDialog::poll);
}

SeriesDialog::~SeriesDialog() {
  if (control_) control_->cancel = true;
  if (worker_.joinable()) worker_.join();
}

SeriesDialog* SeriesDialog::open(MainWindow& window) {
  auto* dialog = window.findChild<SeriesDialog*>("seriesDialog");
  if (!dialog) dialog = new SeriesDialog(window);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

void SeriesDialog::build() {
  auto* inputs = new QGridLayout;
  parameterLabel_ = new QLabel;
  parameter_ = new QComboBox;
  parameter_->setObjectName("seriesParameter");
  for (P p : seriesParameters()) parameter_->addItem(QString(), QString(row(p).name));
  fromLabel_ = new QLabel;
  toLabel_ = new QLabel;
  countLabel_ = new QLabel;
  limitLabel_ = new QLabel;
  from_ = new QLineEdit("50");
  to_ = new QLineEdit("200");
  count_ = new QLineEdit("16");
  limit_ = new QLineEdit;
  from_->setObjectName("seriesFrom");
  to_->setObjectName("seriesTo");
  count_->setObjectName("seriesCount");
  limit_->setObjectName("seriesLimit");
  log_ = new QCheckBox;
  log_->setObjectName("seriesLog");
  inputs->addWidget(parameterLabel_, 0, 0);
  inputs->addWidget(parameter_, 0, 1, 1, 3);
  inputs->addWidget(fromLabel_, 1, 0);
  inputs->addWidget(from_, 1, 1);
  inputs->addWidget(toLabel_, 1, 2);
  inputs->addWidget(to_, 1, 3);
  inputs->addWidget(countLabel_, 2, 0);
  inputs->addWidget(count_, 2, 1);
  inputs->addWidget(log_, 2, 2, 1, 2);
  inputs->addWidget(limitLabel_, 3, 0);
  inputs->addWidget(limit_, 3, 1, 1, 3);

  start_ = new QPushButton;
  cancel_ = new QPushButton;
  start_->setObjectName("seriesStart");
  cancel_->setObjectName("seriesCancel");
  cancel_->setEnabled(false);
  start_->setDefault(true);
  progress_ = new QProgressBar;
  progress_->setObjectName("seriesProgress");
  progress_->setRange(0, 1);
  progress_->setValue(0);
  state_ = new QLabel;
  auto* run = new QHBoxLayout;
  run->addWidget(start_);
  run->addWidget(cancel_);
  run->addWidget(progress_, 1);

  columnLabel_ = new QLabel;
  column_ = new QComboBox;
  column_->setObjectName("seriesColumn");
  for (int k = 0; k < 7; ++k) column_->addItem(QString());
  saveCsv_ = new QPushButton;
  savePng_ = new QPushButton;
  copy_ = new QPushButton;
  saveCsv_->setObjectName("seriesSaveCsv");
  savePng_->setObjectName("seriesSavePng");
  copy_->setObjectName("seriesCopy");
  auto* outputs = new QHBoxLayout;
  outputs->addWidget(columnLabel_);
  outputs->addWidget(column_);
  outputs->addStretch(1);
  outputs->addWidget(copy_);
  outputs->addWidget(saveCsv_);
  outputs->addWidget(savePng_);

  model_ = new SeriesTableModel(rows_, this);
  table_ = new QTableView;
  table_->setModel(model_);
  table_->setObjectName("seriesTable");
  table_->verticalHeader()->hide();
  graph_ = new SeriesGraph;
  graph_->setObjectName("seriesGraph");
  auto* split = new QSplitter(Qt::Horizontal);
  split->addWidget(table_);
  split->addWidget(graph_);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);
  split->setSizes({500, 500});
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(inputs);
  layout->addLayout(run);
  layout->addWidget(state_);
  layout->addLayout(outputs);
  layout->addWidget(split, 1);
  resize(1000, 560);

  connect(start_, &QPushButton::clicked, this, &SeriesDialog::start);
  connect(cancel_, &QPushButton::clicked, this, &SeriesDialog::cancel);
  connect(column_, &QComboBox::currentIndexChanged, this, &SeriesDialog::replot);
  connect(saveCsv_, &QPushButton::clicked, this, &SeriesDialog::saveCsv);
  connect(savePng_, &QPushButton::clicked, this, &SeriesDialog::savePng);
  connect(copy_, &QPushButton::clicked, this, &SeriesDialog::copyTable);
}

void SeriesDialog::translate() {
  const Language l = window_.language();
  setWindowTitle(tr("Series of experiments"));
  parameterLabel_->setText(tr("Parameter:"));
  const std::vector<P> params = seriesParameters();
  for (int k = 0; k < parameter_->count(); ++k)
    parameter_->setItemText(k, described(params[size_t(k)], l));
  fromLabel_->setText(tr("From:"));
  toLabel_->setText(tr("To:"));
  countLabel_->setText(tr("Number of runs:"));
  log_->setText(tr("Logarithmic spacing"));
  log_->setToolTip(tr("The values grow by one factor from run to run (both bounds above 0)"));
  limitLabel_->setText(tr("Time limit of a run, s:"));
  limit_->setPlaceholderText(tr("1 000 000 steps"));
  limit_->setToolTip(
      tr("A run ends when every ticked trajectory has finished, at this model time, or at a "
         "failure"));
  start_->setText(tr("Start"));
  cancel_->setText(tr("Cancel"));
  columnLabel_->setText(tr("Graph:"));
  const QString columns[] = {tr("finish time, s"),         tr("path, m"),
                             tr("integral of m1·V"),       tr("integral of T − U"),
                             tr("integral of T"),          tr("integral of T + U"),
                             tr("E − E0 at the finish, J")};
  for (int k = 0; k < 7; ++k) column_->setItemText(k, columns[k]);
  copy_->setText(tr("Copy table"));
  copy_->setToolTip(tr("Put the table on the clipboard, tab-separated, for a spreadsheet"));
  saveCsv_->setText(tr("Save CSV…"));
  savePng_->setText(tr("Save PNG…"));
  model_->headers = {tr("run"),     tr("value"),   tr("trajectory"), tr("status"),
                     tr("time, s"), tr("path, m"), tr("m1·V"),       tr("T − U"),
                     tr("T"),       tr("T + U"),   tr("E − E0, J"),  tr("message")};
  model_->statuses[int(RunStatus::Finished)] = tr("finished");
  model_->statuses[int(RunStatus::NotFinished)] = tr("not finished");
  model_->statuses[int(RunStatus::Failed)] = tr("failed");
  model_->language = l;
  fillTable();
  replot();
}

void SeriesDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) translate();
  QDialog::changeEvent(event);
}

void SeriesDialog::closeEvent(QCloseEvent* event) {
  remember();
  QDialog::closeEvent(event);
}

void SeriesDialog::remember() const {
  QSettings s(kSettingsOrganisation, kSettingsApplication);
  s.setValue(settingsKey("parameter"), parameter_->currentData());
  s.setValue(settingsKey("from"), from_->text());
  s.setValue(settingsKey("to"), to_->text());
  s.setValue(settingsKey("count"), count_->text());
  s.setValue(settingsKey("log"), log_->isChecked());
  s.setValue(settingsKey("limit"), limit_->text());
  s.setValue(settingsKey("column"), column_->currentIndex());
}

void SeriesDialog::recall() {
  QSettings s(kSettingsOrganisation, kSettingsApplication);
  const int k = parameter_->findData(s.value(settingsKey("parameter"), "Xk"));
  parameter_->setCurrentIndex(std::max(k, 0));
  from_->setText(s.value(settingsKey("from"), from_->text()).toString());
  to_->setText(s.value(settingsKey("to"), to_->text()).toString());
  count_->setText(s.value(settingsKey("count"), count_->text()).toString());
  log_->setChecked(s.value(settingsKey("log"), false).toBool());
  limit_->setText(s.value(settingsKey("limit"), QString()).toString());
  column_->setCurrentIndex(std::clamp(s.value(settingsKey("column"), 0).toInt(), 0, 6));
}

bool SeriesDialog::start() {
  if (running()) return false;
  const auto planned =
      planSeries(parameter_->currentData().toString().toStdString(), from_->text().toStdString(),
                 to_->text().toStdString(), count_->text().toStdString(), log_->isChecked(),
                 limit_->text().toStdString());
  if (const Message* problem = std::get_if<Message>(&planned)) {
    window_.showMessage(*problem);
    return false;
  }
  remember();
  plan_ = std::get<SeriesPlan>(planned);
  control_ = std::make_unique<SeriesControl>();
  outcome_ = std::make_shared<SeriesOutcome>();
  over_ = std::make_shared<std::atomic<bool>>(false);
  // The set-up as it stands now: the window may change it while the series runs.
  const Experiment& x = window_.laboratory().experiment();
  Parameters setup = x.p;
  const double KDfi = x.m.KDfi;
  SeriesOptions options;
  options.control = control_.get();
  worker_ = std::thread([setup, KDfi, plan = plan_, options, outcome = outcome_, over = over_] {
    *outcome = RunSeries(setup, KDfi, plan, options);
    *over = true;
  });
  progress_->setRange(0, plan_.count);
  progress_->setValue(0);
  state_->setText(tr("Running…"));
  start_->setEnabled(false);
  cancel_->setEnabled(true);
  poll_.start();
  return true;
}

void SeriesDialog::cancel() {
  if (control_) control_->cancel = true;
}

void SeriesDialog::poll() {
  if (!control_) return;
  progress_->setMaximum(std::max(1, control_->total.load()));
  progress_->setValue(control_->done);
  if (*over_) ended();
}

void SeriesDialog::ended() {
  poll_.stop();
  worker_.join();
  start_->setEnabled(true);
  cancel_->setEnabled(false);
  const SeriesOutcome& o = *outcome_;
  if (o.refused) {
    state_->clear();
    window_.showMessage(*o.refused);
  } else {
    rows_ = o.rows;
    shownPlan_ = plan_;
    fillTable();
    replot();
    state_->setText(o.cancelled ? tr("Cancelled: %1 of %2 runs kept").arg(o.done).arg(o.runs)
                                : tr("%1 runs done").arg(o.done));
  }
  control_.reset();
  emit seriesEnded();
}

void SeriesDialog::fillTable() {
  model_->reset();
  // Columns as wide as their first rows need.
  if (!rows_.empty()) table_->resizeColumnsToContents();
}

QString SeriesDialog::xTitle() const {
  return described(rows_.empty() ? plan_.param : shownPlan_.param, window_.language());
}

QString SeriesDialog::yTitle() const { return column_->currentText(); }

void SeriesDialog::replot() {
  graph_->show(&rows_, column_->currentIndex(), xTitle(), yTitle(),
               !rows_.empty() && shownPlan_.log);
}

void SeriesDialog::saveCsv() {
  window_.documents().saveFile(QT_TRANSLATE_NOOP("Documents", "Save series table"), false,
                               tr("-series.csv"), Msg::WhatSeriesTable,
                               seriesCsv(shownPlan_.param, rows_));
}

void SeriesDialog::savePng() {
  const QImage image = graph_->picture();
  QByteArray png;
  QBuffer buffer(&png);
  std::string bytes;
  if (buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"))
    bytes.assign(png.constData(), size_t(png.size()));
  window_.documents().saveFile(QT_TRANSLATE_NOOP("Documents", "Save series graph"), true,
                               tr("-series.png"), Msg::WhatSeriesGraph, bytes);
}

void SeriesDialog::copyTable() {
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(seriesTable(shownPlan_.param, rows_, '\t', "\n")));
}

}  // namespace lumet
