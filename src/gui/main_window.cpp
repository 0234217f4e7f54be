#include "gui/main_window.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "gui/about_window.h"
#include "gui/form_look.h"
#include "gui/picture_widget.h"

namespace lumet {

namespace {

// The height of a check box or option button of natural size, and the side
// of its indicator, in twips: the rows of the frames are 220 twips apart,
// "AutoDn" and "AutoPn" 200.
constexpr int kButtonRowTwips = 180;

QString qstr(const char* s) { return QString::fromUtf8(s); }

}  // namespace

MainWindow::MainWindow(std::string logDir, QWidget* parent) : QWidget(parent), dialogs_(this) {
  setObjectName("Lumet1R");
  setWindowTitle("Lumet1R");
  setFont(formFont());
  formStyle_->setIndicator(px(kButtonRowTwips));

  const auto& table = controlTable();
  const qreal ratio = devicePixelRatioF();
  const ControlSpec& p1 = table[Picture1];
  const ControlSpec& p2 = table[Picture2];
  Picture1_ = new PictureWidget(px(p1.width), px(p1.height), ratio, this);
  Picture2_ = new PictureWidget(px(p2.width), px(p2.height), ratio, this);
  lab_ = std::make_unique<Laboratory>(Picture1_->canvas(), Picture2_->canvas(), dialogs_,
                                      std::move(logDir));
  lab_->onAbout = [this] { openAbout(); };

  Timer1_.setObjectName("Timer1");
  Timer1_.setTimerType(Qt::PreciseTimer);
  Timer1_.setInterval(lab_->lab.Timer1.Interval);
  connect(&Timer1_, &QTimer::timeout, this, &MainWindow::tick);

  build();
  obeyTimer();
}

MainWindow::~MainWindow() {
  Timer1_.stop();
  if (about_) delete about_.data();
  // The controls go before the style they are drawn with.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

int MainWindow::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0); }

PictureWidget* MainWindow::picture(ControlId id) const {
  return id == Picture1 ? Picture1_ : id == Picture2 ? Picture2_ : nullptr;
}

void MainWindow::build() {
  const auto& table = controlTable();
  // Frames first, so that they stand beneath everything drawn over them;
  // the controls of a frame are its children, placed relative to it.
  for (const auto& entry : table)
    if (entry.kind == Kind::Frame) widgets_[entry.id] = makeControl(entry, this);
  for (const auto& entry : table) {
    if (entry.kind == Kind::Frame || entry.kind == Kind::Timer) continue;
    QWidget* parent = entry.frame == ControlCount ? this : widgets_[entry.frame];
    widgets_[entry.id] = makeControl(entry, parent);
  }

  // The window shows every control, with the same margin right and below as
  // the layout keeps at its left.
  QRect all;
  for (QWidget* w : widgets_)
    if (w) all = all.united(QRect(w->mapTo(this, QPoint(0, 0)), w->size()));
  resize(all.right() + 1 + px(90), all.bottom() + 1 + px(90));
}

QWidget* MainWindow::makeControl(const ControlSpec& entry, QWidget* parent) {
  const ControlId id = entry.id;
  const Controls& c = lab_->lab.c;
  QWidget* w = nullptr;
  switch (entry.kind) {
    case Kind::Text: {
      auto* box = new QLineEdit(parent);
      box->setText(QString::fromStdString(c.text(id)));
      box->setCursorPosition(0);
      box->setTextMargins(-1, 0, -3, 0);
      // Only what the user types goes to the laboratory; text written by
      // the laboratory itself comes back through showControl().
      connect(box, &QLineEdit::textEdited, this,
              [this, id](const QString& text) { lab_->lab.c.typeText(id, text.toStdString()); });
      w = box;
      break;
    }
    case Kind::Label: w = new QLabel(qstr(entry.caption), parent); break;
    case Kind::Check: {
      auto* box = new QCheckBox(qstr(entry.caption), parent);
      box->setStyle(formStyle_.get());
      box->setChecked(c.value(id));
      connect(box, &QAbstractButton::clicked, this, [this, id](bool on) {
        lab_->lab.c.setCheck(id, on);
        showChanged();
      });
      w = box;
      break;
    }
    case Kind::Option: {
      auto* button = new QRadioButton(qstr(entry.caption), parent);
      button->setStyle(formStyle_.get());
      button->setAutoExclusive(false);
      QButtonGroup*& group = groups_[entry.frame];
      if (!group) {
        group = new QButtonGroup(this);
        group->setExclusive(true);
      }
      group->addButton(button);
      button->setChecked(c.value(id));
      connect(button, &QAbstractButton::clicked, this, [this, id](bool on) {
        if (on) lab_->lab.c.select(id);
        showChanged();
      });
      w = button;
      break;
    }
    case Kind::Frame: w = new FrameBox(qstr(entry.caption), parent); break;
    case Kind::Command: {
      auto* button = new QPushButton(qstr(entry.caption), parent);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, id] { press(id); });
      w = button;
      break;
    }
    case Kind::Picture: w = id == Picture1 ? Picture1_ : Picture2_; break;
    case Kind::Timer: return nullptr;
  }
  w->setObjectName(entry.name);

  // Places are window coordinates; a control inside a frame is a child of
  // the frame and stands relative to it.
  QPoint at(px(entry.left), px(entry.top));
  if (parent != this) at -= parent->mapTo(this, QPoint(0, 0));
  QSize size;
  if (entry.width > 0) {
    size = QSize(px(entry.width), px(entry.height));
  } else if (entry.kind == Kind::Label) {
    size = w->sizeHint();
  } else {
    size = QSize(w->sizeHint().width(), px(kButtonRowTwips));
  }
  w->setGeometry(QRect(at, size));
  return w;
}

void MainWindow::press(ControlId id) {
  if (!lab_->click(id)) return;
  afterHandler();
}

void MainWindow::tick() {
  // A tick that arrives while a handler runs (inside its modal box) is not
  // a step; the handler itself obeys Timer1 once it has returned.
  if (lab_->busy()) return;
  lab_->tick();
  afterHandler();
}

void MainWindow::afterHandler() {
  showChanged();
  obeyTimer();
  Picture1_->flush();
  Picture2_->flush();
  if (lab_->exitRequested()) close();
}

void MainWindow::showChanged() {
  for (ControlId id : lab_->lab.c.takeChanged()) showControl(id);
}

void MainWindow::showControl(ControlId id) {
  const Controls& c = lab_->lab.c;
  switch (controlTable()[id].kind) {
    case Kind::Text: {
      auto* box = static_cast<QLineEdit*>(widgets_[id]);
      QString text = QString::fromStdString(c.text(id));
      if (box->text() != text) {
        box->setText(text);
        // A number longer than its box shows its leading digits.
        box->setCursorPosition(0);
      }
      break;
    }
    case Kind::Check: static_cast<QAbstractButton*>(widgets_[id])->setChecked(c.value(id)); break;
    case Kind::Option: {
      auto* button = static_cast<QAbstractButton*>(widgets_[id]);
      if (button->isChecked() == c.value(id)) break;
      // An exclusive group refuses to clear its checked button by itself;
      // the laboratory may clear one before it selects another.
      QButtonGroup* group = button->group();
      group->setExclusive(false);
      button->setChecked(c.value(id));
      group->setExclusive(true);
      break;
    }
    default: break;
  }
}

void MainWindow::obeyTimer() {
  const Timer& t = lab_->lab.Timer1;
  if (!t.Enabled) {
    Timer1_.stop();
    return;
  }
  if (Timer1_.interval() != t.Interval) Timer1_.setInterval(t.Interval);
  if (!Timer1_.isActive()) Timer1_.start();
}

void MainWindow::openAbout() {
  if (!about_) about_ = new AboutWindow(this);
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Leaving the window ends the program: the run stops and the About window
  // goes with it.
  lab_->lab.Timer1.Enabled = false;
  Timer1_.stop();
  if (about_) about_->close();
  event->accept();
}

}  // namespace lumet
