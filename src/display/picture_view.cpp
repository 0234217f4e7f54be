#include "display/picture_view.h"

#include <cfloat>
#include <cmath>
#include <unordered_set>

#include "display/display.h"
#include "display/plotted.h"

namespace lumet {

namespace {

// A plane coordinate travels in single precision, as the run draws it.
bool single(double v, double& out) {
  if (!(std::fabs(v) <= FLT_MAX)) return false;
  out = static_cast<float>(v);
  return true;
}

template <class Draw>
void tryDrawing(Draw draw) {
  try {
    draw();
  } catch (const Failure&) {
    // What cannot be shown at these scales is left out.
  }
}

}  // namespace

void PictureView::clear() {
  figures_.clear();
  dots_.clear();
  for (auto& bits : seen_) std::vector<uint64_t>().swap(bits);
  seenSet_ = false;
  scaled_ = false;
  cell_ = 10 / kCells;
  cols_ = std::ceil(width_ / cell_), rows_ = std::ceil(height_ / cell_), perCell_ = 1 / cell_;
  forget();
}

std::shared_ptr<const PictureView::Snapshot> PictureView::snapshot(const Model& m,
                                                                   const Choices& ch) {
  return std::make_shared<const Snapshot>(Snapshot{m, ch});
}

void PictureView::figure(Figure::Kind kind, std::shared_ptr<const Snapshot> s) {
  if (s) scaled_ = true;
  Figure f{kind, std::move(s)};
  f.dotsBefore = dots_.size();
  figures_.push_back(std::move(f));
  // A dot after a figure is drawn over it: it is kept again.
  forget();
}

void PictureView::fixedLine(double x1, double y1, double x2, double y2, Rgb c) {
  Figure f{Figure::Line, nullptr, x1, y1, x2, y2, c};
  f.dotsBefore = dots_.size();
  figures_.push_back(std::move(f));
  forget();
}

void PictureView::forget() {
  for (bool& b : last_) b = false;
  if (!seenSet_) return;
  for (auto& bits : seen_) std::fill(bits.begin(), bits.end(), 0);
  seenSet_ = false;
}

void PictureView::dot(double x, double y, double px, double py, Rgb c, int series, bool plane) {
  scaled_ = true;
  // Its cell of the picture at the scales it is drawn at: inside the
  // picture one dot a cell and series, outside it one where the series
  // moves to another cell kOutside times as large.
  const double fx = (px - x0_) * perCell_, fy = (py - y0_) * perCell_;
  if (fx >= 0 && fy >= 0 && fx < cols_ && fy < rows_) {
    std::vector<uint64_t>& bits = seen_[series];
    if (bits.empty()) bits.resize(size_t(cols_ * rows_) / 64 + 1);
    const size_t cell = size_t(fy) * size_t(cols_) + size_t(fx);
    uint64_t& word = bits[cell / 64];
    const uint64_t bit = uint64_t(1) << (cell % 64);
    if (word & bit) return;
    word |= bit;
    seenSet_ = true;
    last_[series] = false;
  } else {
    const double ox = std::floor(fx / kOutside), oy = std::floor(fy / kOutside);
    if (last_[series] && ox == lastX_[series] && oy == lastY_[series]) return;
    last_[series] = true;
    lastX_[series] = ox;
    lastY_[series] = oy;
  }
  dots_.push_back({x, y, c, uint8_t(series), plane});
  if (dots_.size() > kMaxDots) thin();
}

void PictureView::positions(const Model& m, const Choices& ch, double freeColour) {
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i)) continue;
    dot(m.X[i], m.Y[i], m.X[i] * m.kMx, m.Y[i] * m.kMx, PositionColour(i, freeColour), i, true);
  }
}

void PictureView::plots(const Model& m, const Choices& ch) {
  const int i = ch.shown;
  if (!ch.takesPart(i)) return;
  const Rgb c = trajectoryColour(i);
  const double x = m.T / m.Mt;
  int series = 0;
  PlottedValues(m, ch, [&](double v, bool plane) {
    dot(m.T, v, x, v * (plane ? m.kMx : m.kM), c, series++, plane);
  });
  if (FinishedNow(m, i)) {
    Figure f{Figure::Finish, nullptr, m.T, 0, 0, 0, c};
    f.dotsBefore = dots_.size();
    figures_.push_back(std::move(f));
    forget();
  }
}

void PictureView::thin() {
  // Twice as large cells, until the dots fit in three quarters of the bound:
  // in each stretch between two figures one dot a series and cell.
  while (dots_.size() > kMaxDots * 3 / 4) {
    cell_ *= 2;
    cols_ = std::ceil(width_ / cell_), rows_ = std::ceil(height_ / cell_), perCell_ = 1 / cell_;
    // The cells' marks are of the smaller cells.
    for (auto& bits : seen_) std::vector<uint64_t>().swap(bits);
    seenSet_ = false;
    std::vector<Dot> kept;
    kept.reserve(dots_.size());
    size_t f = 0;
    std::unordered_set<uint64_t> seen;
    for (size_t k = 0; k < dots_.size(); ++k) {
      bool figureBetween = false;
      while (f < figures_.size() && figures_[f].dotsBefore <= k) {
        figures_[f].dotsBefore = kept.size();
        ++f;
        figureBetween = true;
      }
      if (figureBetween) seen.clear();
      const Dot& d = dots_[k];
      double px, py;
      if (plane_) {
        px = d.x * scales_.kMx, py = d.y * scales_.kMx;
      } else {
        px = d.x / scales_.Mt, py = d.y * (d.plane ? scales_.kMx : scales_.kM);
      }
      const auto cx = uint64_t(int64_t(std::fmax(-1e9, std::fmin(1e9, std::floor(px / cell_)))));
      const auto cy = uint64_t(int64_t(std::fmax(-1e9, std::fmin(1e9, std::floor(py / cell_)))));
      const uint64_t key = (cx * 0x9E3779B97F4A7C15ull) ^ (cy << 5) ^ d.series;
      if (seen.insert(key).second) kept.push_back(d);
    }
    for (; f < figures_.size(); ++f) figures_[f].dotsBefore = kept.size();
    dots_.swap(kept);
  }
  forget();
}

PictureView::Mark PictureView::markBeforePreview(bool grids) const {
  size_t n = figures_.size();
  while (n > 0) {
    const Figure& f = figures_[n - 1];
    if (f.dotsBefore != dots_.size()) break;
    const bool preview = f.kind == Figure::Bodies || f.kind == Figure::Rods ||
                         f.kind == Figure::Profile ||
                         (grids && (f.kind == Figure::Grid1 || f.kind == Figure::Grid2));
    if (!preview) break;
    --n;
  }
  return {n, dots_.size()};
}

void PictureView::backTo(const Mark& m) {
  if (m.figures < figures_.size()) figures_.resize(m.figures);
  if (m.dots < dots_.size()) dots_.resize(m.dots);
  forget();
  scaled_ = !dots_.empty();
  for (const Figure& f : figures_)
    if (f.s || f.kind == Figure::Finish) scaled_ = true;
}

void PictureView::redraw(Canvas& c, const Scales& s) {
  scales_ = s;
  c.clear();
  if (plane_)
    c.scale(-5, 5, 5, -5);
  else
    c.scale(0, 4, 14, -4);
  auto drawDot = [&](const Dot& d) {
    if (plane_) {
      double x, y;
      if (single(d.x * s.kMx, x) && single(d.y * s.kMx, y)) c.point(x, y, d.colour);
    } else {
      c.point(d.x / s.Mt, d.y * (d.plane ? s.kMx : s.kM), d.colour);
    }
  };
  size_t k = 0;
  for (const Figure& f : figures_) {
    for (; k < f.dotsBefore && k < dots_.size(); ++k) drawDot(dots_[k]);
    Model m;
    if (f.s) {
      m = f.s->m;
      m.kMx = s.kMx;
    }
    switch (f.kind) {
      case Figure::Grid1: tryDrawing([&] { DrawGrid1(c); }); break;
      case Figure::Grid2: tryDrawing([&] { DrawGrid2(c); }); break;
      case Figure::Bodies: tryDrawing([&] { DrawBodies(c, m, f.s->ch); }); break;
      case Figure::Rods: tryDrawing([&] { DrawRods(c, m, f.s->ch); }); break;
      case Figure::Profile: tryDrawing([&] { DrawFieldProfile(c, m, f.s->ch); }); break;
      case Figure::Line: c.line(f.a, f.b, f.c, f.d, f.colour); break;
      case Figure::Finish: {
        const double x = f.a / s.Mt;
        c.line(x, -12, x, 12, f.colour);
        break;
      }
    }
  }
  for (; k < dots_.size(); ++k) drawDot(dots_[k]);
}

size_t PictureView::keptBytes() const {
  size_t bytes = figures_.capacity() * sizeof(Figure) + dots_.capacity() * sizeof(Dot);
  for (const auto& bits : seen_) bytes += bits.capacity() * sizeof(uint64_t);
  const Snapshot* last = nullptr;
  for (const Figure& f : figures_)
    if (f.s && f.s.get() != last) bytes += sizeof(Snapshot), last = f.s.get();
  return bytes;
}

bool PictureView::plotExtent(double& maxValue, double& maxTime) const {
  bool any = false;
  maxValue = 0, maxTime = 0;
  for (const Dot& d : dots_) {
    if (!std::isfinite(d.x) || !std::isfinite(d.y)) continue;
    maxTime = std::fmax(maxTime, d.x);
    if (!d.plane) maxValue = std::fmax(maxValue, std::fabs(d.y));
    any = true;
  }
  return any;
}

}  // namespace lumet
