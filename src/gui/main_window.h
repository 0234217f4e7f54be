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

// The settings the window keeps between sessions (its size), under this
// organisation and application.
inline constexpr const char* kSettingsOrganisation = "Lumet";
inline constexpr const char* kSettingsApplication = "Lumet";

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

  // Twips to pixels of this window: the logical DPI over 1440, times the
  // zoom of the form.
  int px(int twips) const;
  // How much the form is enlarged to fill the window: 1 at its twip size.
  qreal zoom() const { return zoom_; }
  // The window's size with the form at its twip size.
  QSize formSize() const { return formSize_; }

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
  QWidget* makeControl(const ControlSpec& entry, QWidget* parent);
  void placeControls();
  void placeControl(const ControlSpec& entry);
  QSize rememberedSize() const;
  void showText(ControlId id);
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
  std::array<BoxRoom, ControlCount> rooms_{};  // of the text boxes
  std::array<bool, ControlCount> rounded_{};   // a box shows its number rounded
  std::array<bool, ControlCount> written_{};   // a box shows what the laboratory wrote
  qreal zoom_ = 1;
  QPoint origin_;   // the form's top-left corner in the window
  QSize formSize_;  // the window's size at zoom 1
};

}  // namespace lumet
