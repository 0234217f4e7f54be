// The main window "Lumet1R": the menu bar, under it the form with every
// control of the control table at its place, the two pictures, Timer1 and
// the About window. It feeds what the user types and ticks into the form and
// shows what each handler reported: what a click changed at once, what the
// ticks of a run changed at the screen's pace, the messages, the box to
// correct, and Timer1 running while the run goes on.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/laboratory.h"
#include "form/form.h"
#include "gui/about_window.h"
#include "gui/documents.h"
#include "gui/form_look.h"
#include "gui/language.h"
#include "gui/message_boxes.h"
#include "gui/settings.h"

class QButtonGroup;
class QMenuBar;

namespace lumet {

class PictureOverlay;
class PictureLayer;
class PictureWidget;
class StatusLine;
class UndoHistory;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // logDir is the directory of the run log. The window speaks the language
  // given, or else the one the settings remember (Russian when none).
  explicit MainWindow(std::string logDir, QWidget* parent = nullptr,
                      std::optional<Language> language = std::nullopt);
  ~MainWindow() override;

  // The widget of a control (nullptr for Timer1, which has none).
  QWidget* control(ControlId id) const { return widgets_[id]; }
  PictureWidget* picture(ControlId id) const;
  // What is drawn over the picture: beads, rods, scales, legend.
  const PictureOverlay& overlay(ControlId id) const;
  Laboratory& laboratory() { return *lab_; }
  Form& form() { return *form_; }
  MessageBoxes& messageBoxes() { return dialogs_; }
  // A report's messages are open: the run waits.
  bool showingMessages() const { return showingMessages_; }
  QTimer& timer() { return Timer1_; }
  // The About window while it is open.
  AboutWindow* about() const { return about_; }

  // Twips to pixels of this window: the logical DPI over 1440, times the
  // zoom of the form.
  int px(int twips) const;
  // The form's top-left corner in the window, under the menu bar: the twip
  // places of the controls count from here.
  QPoint formOrigin() const { return origin_; }
  QMenuBar* menuBar() const { return menuBar_; }
  // The status line under the form (status tips, the set-up's description).
  StatusLine* statusLine() const { return status_; }
  // The layer over a picture: pointing, handles, wheel.
  PictureLayer* layer(ControlId id) const;
  // The history of the set-up ("Правка → Отменить").
  UndoHistory& undo() { return *undo_; }
  // "Вид → Вписать": Mx, M and Mt that fit what the pictures show.
  void fit();
  // Set-up files, pictures and the result table in files.
  Documents& documents() { return *documents_; }
  // Shows what a handler reported: the controls it changed, its messages
  // (Timer1 waits while they are open), the box to correct, the run going on
  // or not, the manual, the end of the program.
  void showReport(const Report& report);
  // A message box or a Yes/No question of the window's own.
  void showMessage(const Message& text);
  bool ask(const Message& text);

  Speed speed() const { return lab_->speed; }
  // Steps per tick from the next tick on, also during a run; remembered
  // between sessions.
  void setSpeed(Speed speed);
  // How much the form is enlarged to fill the window: 1 at its twip size.
  qreal zoom() const { return zoom_; }
  // The window's size with the form at its twip size.
  QSize formSize() const { return formSize_; }

  // The language of every text of the window.
  Language language() const { return language_; }
  // Speaks the language from now on: every caption, tooltip, menu, the
  // status line and an open About window at once, the messages and dialogs
  // from their next opening.
  void setLanguage(Language language);
  // The same, chosen in the menu: remembered for the next session.
  void chooseLanguage(Language language);
  // The title and description of the set-up last opened, in the window's
  // language, as the status line shows them while no status tip is.
  void describeSetup();

 public slots:
  // Presses a button as the user would.
  void press(ControlId id);
  // One tick of Timer1.
  void tick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void build();
  QWidget* makeControl(const ControlEntry& entry, QWidget* parent);
  void placeControls();
  void placeControl(const ControlEntry& entry);
  QSize rememberedSize() const;
  void showText(ControlId id);
  void showTyped(ControlId id);
  void showFlag(ControlId id);
  void focusTheBoxToCorrect();
  void tell(const Report& report);
  bool anyFlagged() const;
  void present();
  void followOverlays();
  void showChanged();
  void showControl(ControlId id);
  void obeyTimer();
  void openAbout();
  QString tipOf(ControlId id, const QString& whole = {}) const;
  void showCaptions();

  // The style of the check boxes and option buttons.
  std::unique_ptr<FormStyle> formStyle_ = std::make_unique<FormStyle>();
  MessageBoxes dialogs_;
  PictureWidget* Picture1_ = nullptr;
  PictureWidget* Picture2_ = nullptr;
  std::unique_ptr<PictureOverlay> overlay1_, overlay2_;
  std::unique_ptr<Laboratory> lab_;
  std::unique_ptr<Form> form_;
  QTimer Timer1_;
  SteadyClock::time_point lastTick_;  // of Timer1, or its start
  bool showingMessages_ = false;      // a report's messages are open: no ticks
  // Shows what the ticks changed, once a frame while they come.
  QTimer frame_;
  QMenuBar* menuBar_ = nullptr;
  StatusLine* status_ = nullptr;
  std::unique_ptr<Documents> documents_;
  UndoHistory* undo_ = nullptr;
  PictureLayer* layers_[2] = {};
  std::array<QWidget*, ControlCount> widgets_{};
  std::array<QButtonGroup*, ControlCount> groups_{};  // by frame
  QPointer<AboutWindow> about_;
  std::array<BoxRoom, ControlCount> rooms_{};  // of the text boxes
  std::array<bool, ControlCount> rounded_{};   // a box shows its number rounded
  qreal zoom_ = 1;
  Language language_ = Language::ru;
  QPoint origin_;   // the form's top-left corner in the window
  QSize formSize_;  // the window's size at zoom 1
};

}  // namespace lumet
