// The experiment: the model of the physics, the parameters as the user gave
// them, the values the laboratory shows, and the state of the run around
// them (whether it goes on, the log, the pictures' grids). It knows nothing
// of a form or a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "display/picture_view.h"
#include "model/choices.h"
#include "model/model.h"
#include "model/parameters.h"
#include "model/values.h"

namespace lumet {

struct Experiment {
  Model m;
  Parameters p;
  ShownValues shown;
  // A parameter whose text the laboratory cannot use (framed on the form)
  // until its text is usable again.
  std::array<bool, kParameterCount> flagged{};
  bool setUp = false;    // a start or a preview has set the experiment up
  bool running = false;  // the run goes on: a step at every tick of the timer
  bool logOff = false;   // the run log failed: no records until the next start
  std::string logDir;
  int16_t AxesKept = 0;  // 1 after the pictures were cleared by hand
  std::string runStart;  // names the start that began the run in lumet.csv (time and process)
  LocalText title, description;  // of the set-up last opened, kept when it is saved
  double freeColour = 5;         // the last usable number of "Цвет5"
  // The field profiles the preview drew on the plane picture since it was
  // last cleared (ProfileBits), for its legend.
  unsigned profiles = 0;
  // The light experiment's layers drawn on the plane picture since it was
  // last cleared: each one's top and bottom in picture coordinates and its
  // refractive index, the top layer first.
  struct Layer {
    double top, bottom, index;
  };
  std::vector<Layer> layers;
  // What the two pictures show, in model units.
  PictureView planeView{true}, plotView{false};

  // The switches and choices as they stand, read again only when one of
  // them has changed.
  const Choices& choices() {
    if (!choicesRead_ || choicesRevision_ != p.switchesRevision()) {
      choices_ = ReadChoices(p);
      choicesRevision_ = p.switchesRevision();
      choicesRead_ = true;
    }
    return choices_;
  }

 private:
  Choices choices_;
  uint32_t choicesRevision_ = 0;
  bool choicesRead_ = false;
};

}  // namespace lumet
