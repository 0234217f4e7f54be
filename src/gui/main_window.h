// The main window "Lumet1R": every control of the control table at its place,
// the two pictures, Timer1 and the About window. It feeds what the user types
// and ticks into the laboratory and, after every handler, shows what the
// handler changed and obeys Timer1.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/laboratory.h"
#include "gui/about_window.h"
#include "gui/form_look.h"
#include "gui/message_boxes.h"
#include "model/controls.h"

class QButtonGroup;

namespace lumet {

class PictureWidget;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // logDir is the directory of the run log.
  explicit MainWindow(std::string logDir, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The widget of a control (nullptr for Timer1, which has none).
  QWidget* control(ControlId id) const { return widgets_[id]; }
  PictureWidget* picture(ControlId id) const;
  Laboratory& laboratory() { return *lab_; }
  QTimer& timer() { return Timer1_; }
  // The About window while it is open.
  AboutWindow* about() const { return about_; }

  // Twips to pixels of this window: the logical DPI over 1440.
  int px(int twips) const;

 public slots:
  // Presses a button as the user would.
  void press(ControlId id);
  // One tick of Timer1.
  void tick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void build();
  QWidget* makeControl(const ControlSpec& entry, QWidget* parent);
  void afterHandler();
  void showChanged();
  void showControl(ControlId id);
  void obeyTimer();
  void openAbout();

  // The style of the check boxes and option buttons.
  std::unique_ptr<FormStyle> formStyle_ = std::make_unique<FormStyle>();
  MessageBoxes dialogs_;
  PictureWidget* Picture1_ = nullptr;
  PictureWidget* Picture2_ = nullptr;
  std::unique_ptr<Laboratory> lab_;
  QTimer Timer1_;
  std::array<QWidget*, ControlCount> widgets_{};
  std::array<QButtonGroup*, ControlCount> groups_{};  // by frame
  QPointer<AboutWindow> about_;
};

}  // namespace lumet
