#include "gui/main_window.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/about_window.h"
#include "gui/form_look.h"
#include "gui/handles.h"
#include "gui/menus.h"
#include "gui/picture_overlay.h"
#include "gui/picture_widget.h"
#include "gui/settings.h"
#include "gui/status_line.h"
#include "gui/undo.h"

namespace lumet {

namespace {

// The height of a check box or option button of natural size, and the side
// of its indicator, in twips: the rows of the frames are 220 twips apart,
// "AutoDn" and "AutoPn" 200.
constexpr int kButtonRowTwips = 180;

QString qstr(const char* s) { return QString::fromUtf8(s); }

// A tick at "Максимум" runs steps for this long; the window answers the
// user between two ticks, well within a frame.
constexpr auto kMaximumTick = std::chrono::milliseconds(10);
// At a paced speed a tick carries the model on by the clock since the
// previous one, but never by more than this: a pause of the window (a
// message, a drag of the window) is not made up for.
constexpr auto kLongestPacedTick = std::chrono::milliseconds(100);
// What the ticks changed is shown once a frame of the screen (60 a second).
constexpr int kFrameMs = 16;
// Where the settings keep the speed, by its name ("1" … "max").
const char* const kSettingsSpeed = "run/speed";

Speed rememberedSpeed() {
  const QString name =
      QSettings(kSettingsOrganisation, kSettingsApplication).value(kSettingsSpeed).toString();
  return speedByName(name.toStdString()).value_or(Speed::x1);
}

// Where the window keeps its size between sessions.
const char* const kSettingsSize = "window/size";

// The status line's place on the form in twips: under the last row of
// controls, across the form, two lines of the form's face high.
const QRect kStatusTwips(0, 8385, 11835, 360);

}  // namespace

MainWindow::MainWindow(std::string logDir, QWidget* parent, std::optional<Language> language)
    : QWidget(parent), dialogs_(this), language_(language.value_or(rememberedLanguage())) {
  setObjectName("Lumet1R");
  setWindowTitle("Lumet1R");

  const auto& table = controlTable();
  const qreal ratio = devicePixelRatioF();
  const ControlEntry& p1 = table[Picture1];
  const ControlEntry& p2 = table[Picture2];
  Picture1_ = new PictureWidget(px(p1.width), px(p1.height), ratio, this);
  Picture2_ = new PictureWidget(px(p2.width), px(p2.height), ratio, this);
  overlay1_ = std::make_unique<PictureOverlay>(PictureOverlay::Kind::plane);
  overlay2_ = std::make_unique<PictureOverlay>(PictureOverlay::Kind::plot);
  Picture1_->setOverlay(overlay1_.get());
  Picture2_->setOverlay(overlay2_.get());
  lab_ = std::make_unique<Laboratory>(Picture1_->canvas(), Picture2_->canvas(), dialogs_,
                                      std::move(logDir));
  form_ = std::make_unique<Form>(*lab_);
  // A message or question opens over a window that shows what the
  // laboratory has done so far: the boxes written, the pictures painted.
  dialogs_.beforeOpening = [this] {
    form_->take(lab_->soFar());
    present();
    repaint();
  };

  Timer1_.setObjectName("Timer1");
  Timer1_.setTimerType(Qt::PreciseTimer);
  Timer1_.setInterval(1);
  connect(&Timer1_, &QTimer::timeout, this, &MainWindow::tick);
  frame_.setSingleShot(true);
  frame_.setInterval(kFrameMs);
  connect(&frame_, &QTimer::timeout, this, &MainWindow::present);
  lab_->speed = rememberedSpeed();

  // The menu bar across the top; the form stands under it, the status line
  // at its foot.
  status_ = new StatusLine(this);
  documents_ = std::make_unique<Documents>(*this);
  // The window's texts in its language from the first one on.
  useLanguage(language_);
  dialogs_.language = language_;
  undo_ = new UndoHistory(*this);
  menuBar_ = makeMenuBar(*this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(menuBar_);
  origin_ = QPoint(0, menuBar_->sizeHint().height());

  build();
  // The pictures as controls, and the history of the set-up.
  undo_->watch();
  layers_[0] = new PictureLayer(*this, Picture1);
  layers_[1] = new PictureLayer(*this, Picture2);
  // The form at its twip size is the smallest that reads; the window opens
  // at the size it had when it was last closed.
  setMinimumSize(formSize_);
  resize(rememberedSize());
  obeyTimer();
}

MainWindow::~MainWindow() {
  Timer1_.stop();
  if (about_) delete about_.data();
  // The controls go before the style they are drawn with.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

int MainWindow::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0 * zoom_); }

PictureLayer* MainWindow::layer(ControlId id) const {
  return id == Picture1 ? layers_[0] : id == Picture2 ? layers_[1] : nullptr;
}

void MainWindow::fit() {
  const Report r = lab_->fit();
  form_->take(r);
  showReport(r);
}

PictureWidget* MainWindow::picture(ControlId id) const {
  return id == Picture1 ? Picture1_ : id == Picture2 ? Picture2_ : nullptr;
}

const PictureOverlay& MainWindow::overlay(ControlId id) const {
  return id == Picture1 ? *overlay1_ : *overlay2_;
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
  placeControls();
  // The lower picture writes its own scales, in seconds and in the plotted
  // quantity's unit: the form's numbers in centimetres of screen beside it
  // are not shown.
  for (int id = Label56; id <= Label72; ++id) widgets_[id]->hide();

  // The form shows every control, with the same margin right and below as
  // the layout keeps at its left.
  QRect all;
  for (QWidget* w : widgets_)
    if (w) all = all.united(QRect(w->mapTo(this, QPoint(0, 0)), w->size()));
  all = all.united(status_->geometry());
  formSize_ = QSize(all.right() + 1 + px(90), all.bottom() + 1 + px(90));
  resize(formSize_);
}

void MainWindow::placeControls() {
  setFont(formFont(zoom_));
  formStyle_->setIndicator(px(kButtonRowTwips));
  const auto& table = controlTable();
  for (const auto& entry : table)
    if (entry.kind == Kind::Frame) placeControl(entry);
  for (const auto& entry : table)
    if (entry.kind != Kind::Frame && entry.kind != Kind::Timer) placeControl(entry);
  const QRect& s = kStatusTwips;
  status_->setGeometry(
      QRect(origin_ + QPoint(px(s.x()), px(s.y())), QSize(px(s.width()), px(s.height()))));
}

void MainWindow::placeControl(const ControlEntry& entry) {
  QWidget* w = widgets_[entry.id];
  // Places are window coordinates; a control inside a frame is a child of
  // the frame and stands relative to it.
  QPoint at = origin_ + QPoint(px(entry.left), px(entry.top));
  if (entry.frame != ControlCount) at -= widgets_[entry.frame]->pos();
  QSize size;
  if (entry.kind == Kind::Picture) {
    // Drawn again at the new size, its dots as wide as a pixel of the form.
    size = QSize(px(entry.width), px(entry.height));
    picture(entry.id)->resizePicture(size.width(), size.height(), devicePixelRatioF(), zoom_);
  } else if (entry.width > 0) {
    size = QSize(px(entry.width), px(entry.height));
  } else if (entry.kind == Kind::Label) {
    size = w->sizeHint();
  } else {
    size = QSize(w->sizeHint().width(), px(kButtonRowTwips));
  }
  w->setGeometry(QRect(at, size));
  if (entry.kind == Kind::Text) rooms_[entry.id] = boxRoom(static_cast<QLineEdit*>(w));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (formSize_.isEmpty()) return;  // still being built
  // The whole form scales by one factor, as far as the window under the menu
  // bar lets it, and stands in the middle of that room.
  const int menu = menuBar_->sizeHint().height();
  const QSize form = formSize_ - QSize(0, menu);
  const qreal zoom = std::max(
      1.0, std::min(qreal(width()) / form.width(), qreal(height() - menu) / form.height()));
  const QPoint origin((width() - qRound(form.width() * zoom)) / 2,
                      menu + (height() - menu - qRound(form.height() * zoom)) / 2);
  if (zoom == zoom_ && origin == origin_) return;
  zoom_ = zoom;
  origin_ = QPoint(std::max(0, origin.x()), std::max(menu, origin.y()));
  placeControls();
  // Numbers the laboratory wrote are fitted again to their boxes; typed
  // text stays as it was typed.
  for (const auto& entry : controlTable())
    if (entry.kind == Kind::Text && form_->written(entry.id)) showText(entry.id);
}

QWidget* MainWindow::makeControl(const ControlEntry& entry, QWidget* parent) {
  const ControlId id = entry.id;
  const Form& form = *form_;
  QWidget* w = nullptr;
  switch (entry.kind) {
    case Kind::Text: {
      auto* box = new QLineEdit(parent);
      box->setText(QString::fromStdString(form.text(id)));
      box->setCursorPosition(0);
      box->setTextMargins(-1, 0, -3, 0);
      // Only what the user types goes to the form; what the laboratory
      // writes comes back through showControl().
      connect(box, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        form_->type(id, text.toStdString());
        // The mistakes the status line named are mended once no box is
        // framed any more.
        if (!status_->notice().isEmpty() && !anyFlagged()) status_->setNotice({});
        showChanged();
      });
      w = box;
      break;
    }
    case Kind::Label: w = new QLabel(qstr(entry.caption.in(language_)), parent); break;
    case Kind::Check: {
      auto* box = new QCheckBox(qstr(entry.caption.in(language_)), parent);
      box->setStyle(formStyle_.get());
      box->setChecked(form.value(id));
      connect(box, &QAbstractButton::clicked, this, [this, id](bool on) {
        form_->check(id, on);
        showChanged();
      });
      w = box;
      break;
    }
    case Kind::Option: {
      auto* button = new QRadioButton(qstr(entry.caption.in(language_)), parent);
      button->setStyle(formStyle_.get());
      button->setAutoExclusive(false);
      QButtonGroup*& group = groups_[entry.frame];
      if (!group) {
        group = new QButtonGroup(this);
        group->setExclusive(true);
      }
      group->addButton(button);
      button->setChecked(form.value(id));
      connect(button, &QAbstractButton::clicked, this, [this, id](bool on) {
        if (on) form_->select(id);
        showChanged();
      });
      w = button;
      break;
    }
    case Kind::Frame: w = new FrameBox(qstr(entry.caption.in(language_)), parent); break;
    case Kind::Command: {
      auto* button = new QPushButton(qstr(entry.caption.in(language_)), parent);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, id] { press(id); });
      w = button;
      break;
    }
    case Kind::Picture: w = id == Picture1 ? Picture1_ : Picture2_; break;
    case Kind::Timer: return nullptr;
  }
  w->setObjectName(entry.name);
  w->setToolTip(tipOf(id));
  return w;
}

// A control's tooltip as a paragraph, so that a long one wraps; a number
// shown rounded in its box adds the number whole.
QString MainWindow::tipOf(ControlId id, const QString& whole) const {
  const QString tip = qstr(controlTable()[id].tip.in(language_));
  if (tip.isEmpty()) return tip;
  QString html = "<p>" + tip.toHtmlEscaped() + "</p>";
  if (!whole.isEmpty()) html += "<p>" + tr("In full: ") + whole + "</p>";
  return html;
}

void MainWindow::setLanguage(Language language) {
  language_ = language;
  useLanguage(language);
  dialogs_.language = language;
  // The menu bar anew, in the new language (the ready experiments' titles
  // too); the old one goes once the item that chose the language is done.
  QMenuBar* old = menuBar_;
  menuBar_ = makeMenuBar(*this);
  if (old) {
    static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);
    old->hide();
    old->setParent(nullptr);
    old->deleteLater();
  }
  showCaptions();
  describeSetup();
  followOverlays();
  if (about_) about_->showIn(language);
}

void MainWindow::chooseLanguage(Language language) {
  rememberLanguage(language);
  if (language != language_) setLanguage(language);
}

void MainWindow::describeSetup() {
  const Experiment& x = lab_->experiment();
  QString about = QString::fromStdString(x.title.in(language_));
  const QString description = QString::fromStdString(x.description.in(language_));
  if (!about.isEmpty() && !description.isEmpty()) about += ". ";
  status_->setIdleText(about + description);
}

void MainWindow::showCaptions() {
  // Captions and tooltips of every control in the window's language; a box
  // that shows its number rounded keeps the number whole in its tooltip.
  for (const ControlEntry& entry : controlTable()) {
    QWidget* w = widgets_[entry.id];
    if (!w) continue;
    const QString caption = qstr(entry.caption.in(language_));
    switch (entry.kind) {
      case Kind::Label: static_cast<QLabel*>(w)->setText(caption); break;
      case Kind::Check:
      case Kind::Option:
      case Kind::Command: static_cast<QAbstractButton*>(w)->setText(caption); break;
      case Kind::Frame: static_cast<QGroupBox*>(w)->setTitle(caption); break;
      default: break;
    }
    const bool rounded = entry.kind == Kind::Text && rounded_[entry.id];
    w->setToolTip(
        tipOf(entry.id,
              rounded ? QString::fromStdString(form_->text(entry.id)).toHtmlEscaped() : QString()));
  }
  // Captions of natural size take the size of their new text.
  placeControls();
}

void MainWindow::press(ControlId id) {
  if (showingMessages_) return;
  const Report r = form_->press(id);
  if (r.handled) showReport(r);
}

void MainWindow::tick() {
  // A tick that arrives while a handler runs (inside its question) or while
  // a report's messages are open is not a step.
  if (lab_->busy() || showingMessages_) return;
  const SteadyClock::time_point now = SteadyClock::now();
  const auto elapsed = std::min<std::chrono::nanoseconds>(now - lastTick_, kLongestPacedTick);
  lastTick_ = now;
  const Report r = form_->tick(now + kMaximumTick, elapsed);
  if (!r.problems.empty()) tell(r);
  if (!r.messages.empty()) return showReport(r);
  obeyTimer();
  // The boxes and pictures follow at the next frame, with whatever the
  // ticks until then have changed.
  if (!frame_.isActive()) frame_.start();
}

void MainWindow::tell(const Report& report) {
  status_->setNotice(QString::fromStdString(Form::problems(report, dialogs_.language)));
}

bool MainWindow::anyFlagged() const {
  for (const ParamRow& r : parameterTable())
    if (lab_->flagged(r.id)) return true;
  return false;
}

void MainWindow::showReport(const Report& report) {
  // The status line names the boxes a handler found a mistake in; it keeps
  // them while a box is framed, and a handler that finds none clears it.
  if (!report.problems.empty() || !anyFlagged()) tell(report);
  present();
  if (!report.messages.empty()) {
    // The run waits while the messages are open: the user reads each one
    // before anything goes on.
    Timer1_.stop();
    showingMessages_ = true;
    for (const Message& m : report.messages) dialogs_.message(m);
    showingMessages_ = false;
  }
  obeyTimer();
  focusTheBoxToCorrect();
  if (report.about) openAbout();
  // What a handler changed of the set-up (an opened one, V0) is a step of
  // its history.
  if (undo_) undo_->record();
  if (report.exit) close();
}

void MainWindow::showMessage(const Message& text) { dialogs_.message(text); }

bool MainWindow::ask(const Message& text) { return dialogs_.question(text); }

void MainWindow::focusTheBoxToCorrect() {
  const std::optional<ControlId> id = form_->takeFocus();
  if (!id) return;
  auto* box = qobject_cast<QLineEdit*>(widgets_[*id]);
  if (!box) return;
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
}

void MainWindow::present() {
  showChanged();
  Picture1_->flush();
  Picture2_->flush();
  followOverlays();
}

void MainWindow::followOverlays() {
  // The beads and scales at the screen's pace: the whole picture is painted
  // again when they changed.
  if (overlay1_->follow(lab_->experiment())) Picture1_->update();
  if (overlay2_->follow(lab_->experiment())) Picture2_->update();
}

void MainWindow::setSpeed(Speed speed) {
  lab_->speed = speed;
  QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kSettingsSpeed, speedName(speed));
}

void MainWindow::showChanged() {
  for (ControlId id : form_->takeChanged()) showControl(id);
  for (PictureLayer* layer : layers_)
    if (layer) layer->follow();
}

void MainWindow::showControl(ControlId id) {
  const Form& form = *form_;
  switch (controlTable()[id].kind) {
    case Kind::Text:
      showFlag(id);
      // A number the laboratory wrote is shown fitted to its box; a text as
      // it was typed or opened stays as it is, whole.
      if (form.written(id))
        showText(id);
      else
        showTyped(id);
      break;
    case Kind::Check:
      static_cast<QAbstractButton*>(widgets_[id])->setChecked(form.value(id));
      break;
    case Kind::Option: {
      auto* button = static_cast<QAbstractButton*>(widgets_[id]);
      if (button->isChecked() == form.value(id)) break;
      // An exclusive group refuses to clear its checked button by itself;
      // the laboratory may clear one before it selects another.
      QButtonGroup* group = button->group();
      group->setExclusive(false);
      button->setChecked(form.value(id));
      group->setExclusive(true);
      break;
    }
    default: break;
  }
}

void MainWindow::showFlag(ControlId id) {
  // A box whose text the laboratory cannot use is framed in red until its
  // text is usable again.
  auto* box = static_cast<QLineEdit*>(widgets_[id]);
  const bool flagged = form_->flagged(id);
  if (box->property("flagged").toBool() == flagged) return;
  box->setProperty("flagged", flagged);
  box->setStyleSheet(flagged ? "QLineEdit { border: 2px solid #d00000; }" : "");
  // Taking the style sheet off leaves the box an explicit font (the
  // application's default, larger than the form's face); an empty font
  // makes it inherit the form's again, at the form's zoom.
  if (!flagged) box->setFont(QFont());
}

void MainWindow::showText(ControlId id) {
  auto* box = static_cast<QLineEdit*>(widgets_[id]);
  const QString text = QString::fromStdString(form_->text(id));
  // A number wider than its box shows rounded to the digits that fit (the
  // text is measured only when it could be too wide: a run writes most
  // boxes at every refresh), and says itself whole in the tooltip.
  const QString shown = rooms_[id].surelyFits(text) ? text : boxShows(box, text);
  const bool rounded = shown != text;
  if (rounded || rounded_[id])
    box->setToolTip(tipOf(id, rounded ? text.toHtmlEscaped() : QString()));
  rounded_[id] = rounded;
  if (box->text() != shown) {
    box->setText(shown);
    box->setCursorPosition(0);
  }
}

void MainWindow::showTyped(ControlId id) {
  // What the user typed, or a set-up holds, stands in the box whole, never
  // rounded like a number the laboratory wrote: the start reads exactly it.
  auto* box = static_cast<QLineEdit*>(widgets_[id]);
  const QString text = QString::fromStdString(form_->text(id));
  if (rounded_[id]) box->setToolTip(tipOf(id));
  rounded_[id] = false;
  if (box->text() != text) {
    box->setText(text);
    box->setCursorPosition(0);
  }
}

void MainWindow::obeyTimer() {
  for (PictureLayer* layer : layers_)
    if (layer) layer->follow();
  if (!lab_->running()) {
    Timer1_.stop();
    return;
  }
  if (Timer1_.isActive()) return;
  Timer1_.start();
  lastTick_ = SteadyClock::now();
}

void MainWindow::openAbout() {
  if (!about_) about_ = new AboutWindow(this, lab_->experiment().logDir, zoom_, language_);
  about_->show();
  about_->raise();
  about_->activateWindow();
}

QSize MainWindow::rememberedSize() const {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  const QSize saved = settings.value(kSettingsSize).toSize();
  if (!saved.isValid()) return formSize_;
  // Never larger than the screen it opens on, never smaller than the form.
  const QSize room = screen() ? screen()->availableGeometry().size() : saved;
  return saved.boundedTo(room).expandedTo(formSize_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kSettingsSize, size());
  // Leaving the window ends the program: the run stops and the About window
  // goes with it.
  lab_->experiment().running = false;
  Timer1_.stop();
  if (about_) about_->close();
  event->accept();
}

}  // namespace lumet
