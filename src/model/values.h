// What the laboratory shows: every value it writes for the user (the running
// values of the shown trajectory, the result table, the relativistic time
// shifts, the rods' computed sizes, the start directions of "V0" and the
// state of the light rays), once, with its name, the box that shows it on
// the form, its caption, unit and description (in Russian and in English).
// Several values may share a
// box: the box shows the one written last.
//
// ShownValues holds the values as the laboratory last wrote them and which
// of them changed since they were last taken.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/local_text.h"

namespace lumet {

enum class V : uint8_t {
  // The shown trajectory's running values, the model time.
  X,
  Y,
  VX,
  VY,
  FX,
  FY,
  Fm,
  Fq,
  Fj1,
  Dfi,
  Xfin,
  Yfin,
  Lmax,
  EC1,
  Ev,
  E,
  Em,
  E0,
  Eq,
  Ej1,
  T,
  // The relativistic time shifts.
  ttR,
  ttV,
  dT,
  // The result table: each trajectory's time and its four columns.
  T1,
  T2,
  T3,
  T4,
  T5,
  ColMV1,
  ColMV2,
  ColMV3,
  ColMV4,
  ColMV5,
  ColTmU1,
  ColTmU2,
  ColTmU3,
  ColTmU4,
  ColTmU5,
  ColT1,
  ColT2,
  ColT3,
  ColT4,
  ColT5,
  ColTpU1,
  ColTpU2,
  ColTpU3,
  ColTpU4,
  ColTpU5,
  // The rods as the start built them.
  R2,
  fiN2,
  fiK2_rod,
  K3,
  R4,
  Y40,
  // The start directions of the four rods, degrees ("V0").
  al1v,
  al2v,
  al3v,
  al4v,
  // The two light rays at the last boundary they reached.
  ray1_layer,
  ray1_x,
  ray1_angle,
  ray1_sin,
  ray1_speed,
  ray1_time,
  ray2_layer,
  ray2_x,
  ray2_angle,
  ray2_sin,
  ray2_speed,
  ray2_time,
  Count
};

inline constexpr int kValueCount = int(V::Count);

// Value v of trajectory i (1..5) in one of the table's columns.
inline constexpr V tableValue(V first, int i) { return V(int(first) + i - 1); }

struct ValueRow {
  V id;
  const char* name;
  const char* box;
  Words caption;
  Words unit;
  Words tip;         // its part of the box's tooltip ("" where the box's others say it)
  Words about = {};  // what it is, where the tooltip says it otherwise

  const Words& meaning() const { return *about.ru ? about : tip; }
};

// The table, in V order.
std::span<const ValueRow> valueTable();
inline const ValueRow& row(V v) { return valueTable()[size_t(v)]; }
std::optional<V> valueByName(std::string_view name);

class ShownValues {
 public:
  // A value written by the laboratory; taken as changed when it differs from
  // the last one written, or when it was marked to be shown again.
  void set(V v, double value) {
    const size_t k = size_t(v);
    if (state_[k] == kShown && values_[k] == value) return;
    values_[k] = value;
    state_[k] = kShown;
    if (!changed_[k]) changed(v);
  }
  bool has(V v) const { return state_[size_t(v)] != kNone; }
  double value(V v) const { return values_[size_t(v)]; }
  std::optional<double> get(V v) const {
    return has(v) ? std::optional<double>(value(v)) : std::nullopt;
  }
  // A later write of the value counts as a change even when it is equal (a
  // box showing it was typed over and shows it again at its next write).
  void showAgain(V v) {
    if (has(v)) state_[size_t(v)] = kAgain;
  }
  // The values written and changed since the last call, in the order of
  // their first change.
  std::vector<V> takeChanged();
  // The value no longer stands: it is empty as before any write (a changed
  // value, so that its box is emptied too).
  void clear(V v);

 private:
  enum : uint8_t { kNone, kShown, kAgain };
  void changed(V v);  // out of line: a run writes the same values again and again
  std::array<double, kValueCount> values_{};
  std::array<uint8_t, kValueCount> state_{};
  std::array<bool, kValueCount> changed_{};
  std::vector<V> order_;
};

}  // namespace lumet
