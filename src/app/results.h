// The result table as the laboratory shows it, for a file or the clipboard.
#pragma once

#include "app/experiment.h"
#include "output/csv.h"

namespace lumet {

// Which trajectories take part, the shown times and integrals, and the
// integrals' form, from the experiment's parameters and shown values.
ResultTable resultTable(const Experiment& x);

}  // namespace lumet
