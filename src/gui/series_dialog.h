// "Опыты → Серия опытов…": one number parameter over a range, the set-up
// run once for each value in the background, and the results as a table
// and a graph side by side. The dialog does not block the window: a
// progress bar and "Отменить" stay live while the runs go on, and a
// cancelled series keeps the rows of the runs it finished.
#pragma once

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <thread>
#include <vector>

#include "app/series.h"
#include "model/local_text.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace lumet {

class MainWindow;
class SeriesTableModel;

// The graph of a series: one column of the rows against the parameter, one
// curve per trajectory in its colour, round-number axes with the units, a
// legend, and the runs that failed or did not finish marked on the axis.
class SeriesGraph : public QWidget {
  Q_OBJECT

 public:
  explicit SeriesGraph(QWidget* parent = nullptr);
  // The rows to plot, the column (0 time, 1 path, 2 … 5 the integrals, 6
  // E − E0) and the axes' titles.
  void show(const std::vector<SeriesRow>* rows, int column, const QString& xTitle,
            const QString& yTitle, bool logX);
  // The graph as a picture of its size on the screen.
  QImage picture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paint(QPainter& painter, QSize size);

  const std::vector<SeriesRow>* rows_ = nullptr;
  int column_ = 0;
  QString xTitle_, yTitle_;
  bool logX_ = false;
};

class SeriesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SeriesDialog(MainWindow& window);
  ~SeriesDialog() override;

  // Opens the window's series dialog (made at the first call), raised.
  static SeriesDialog* open(MainWindow& window);

  // "Начать": the inputs checked (a bad one is told and nothing runs), then
  // the series in the background. False when nothing started.
  bool start();
  // "Отменить": the runs stop; the finished ones keep their rows.
  void cancel();
  bool running() const { return worker_.joinable(); }
  // The rows shown, by run and trajectory.
  const std::vector<SeriesRow>& rows() const { return rows_; }
  SeriesGraph* graph() const { return graph_; }
  QTableView* table() const { return table_; }

 signals:
  // The series ended: done, cancelled or refused.
  void seriesEnded();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  void translate();
  void poll();
  void ended();
  void fillTable();
  void replot();
  void remember() const;
  void recall();
  QString yTitle() const;
  QString xTitle() const;
  void saveCsv();
  void savePng();
  void copyTable();

  MainWindow& window_;
  QLabel *parameterLabel_, *fromLabel_, *toLabel_, *countLabel_, *limitLabel_, *columnLabel_;
  QComboBox* parameter_;
  QLineEdit *from_, *to_, *count_, *limit_;
  QCheckBox* log_;
  QPushButton *start_, *cancel_, *saveCsv_, *savePng_, *copy_;
  QProgressBar* progress_;
  QLabel* state_;
  QComboBox* column_;
  QTableView* table_;
  SeriesTableModel* model_;
  SeriesGraph* graph_;

  // The series under way, and what it gives.
  SeriesPlan plan_;
  SeriesPlan shownPlan_;  // of the rows shown
  std::unique_ptr<SeriesControl> control_;
  std::shared_ptr<SeriesOutcome> outcome_;
  std::shared_ptr<std::atomic<bool>> over_;
  std::thread worker_;
  QTimer poll_;
  std::vector<SeriesRow> rows_;
};

}  // namespace lumet
