// The laboratory's parameters: every input quantity once, with its name, the
// box that shows it on the form, its caption, unit, description (each in
// Russian and in English), kind and default. Numbers take the model's symbols (m1, Rz, Xn, Mx, h,
// ...); switches and choices take names that say what they choose (euler, log, third_body, field:
// flat|sphere, finish: X>Xk|...). The form, the set-up files, lumet-batch and the tests all derive
// from this one table, so that a new parameter is one row.
//
// Parameters holds their current values as the user gave them: a number as
// its text (exactly as typed; it is read as a number only when a procedure
// needs it), a switch as on or off, a choice as the index of its word.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/local_text.h"
#include "model/messages.h"

namespace lumet {

// Every parameter, in the order of the table.
enum class P : uint8_t {
  // Bodies: masses, charges, the radius of mass 2 and their powers of ten.
  m1,
  m2,
  ExpM,
  q1,
  q2,
  ExpQ,
  Rz,
  ExpRz,
  // The bead, the medium, mass 3.
  C1,
  KRz3,
  Kj1,
  Kj,
  // Start speed, start and end points, external forces, the rods' own points.
  VXn,
  VYn,
  Xn,
  Yn,
  Xk,
  Yk,
  Fx,
  Fy,
  X30,
  X40,
  fiK2,
  // Stepping, scales and the other numbers.
  h,
  Mt,
  w,
  Dn,
  colour5,
  M,
  Mx,
  NCf,
  NCg,
  // Switches.
  line,
  cycloid,
  parabola,
  arc,
  free,
  modified_cycloid,
  modified_parabola,
  modified_arc,
  third_body,
  zero_at_infinity,
  autoDn,
  autoPn,
  finish_place,
  euler,
  cos,
  log,
  average_m1V,
  average_T_minus_U,
  average_T,
  average_T_plus_U,
  plot_XY,
  plot_V,
  plot_F,
  plot_FmFq,
  // Choices.
  field,
  strength,
  sign,
  power,
  finish,
  integral,
  shown,
  Count
};

inline constexpr int kParameterCount = int(P::Count);

enum class ParamKind : uint8_t {
  Number,  // the whole text as a 64-bit real
  Int16,   // the number rounded to the nearest integer, in -32768..32767
  Switch,  // on or off
  Choice,  // one of a frame's words
};

// One choice of a frame: its word (in set-up files and scripts), the option
// button that selects it, its caption and its description.
struct ChoiceRow {
  const char* word;
  const char* box;
  Words caption;
  Words tip;
};

// One row of the parameter table.
struct ParamRow {
  P id;
  const char* name;  // the physical name: m1, Mx, euler, field, ...
  ParamKind kind;
  const char* box;                     // the form's control that shows it (a frame for a choice)
  Words caption;                       // as the form labels it ("" where it stands unlabelled)
  Words unit;                          // SI unit ("" where it has none)
  Words tip;                           // what it means, in the manual's words
  const char* initial;                 // a number's default text; "1" for a switch that is on;
                                       // the default word of a choice
  std::span<const ChoiceRow> choices;  // a choice's words, in the frame's order
};

// The table, in P order (parameterTable()[int(p)].id == p).
std::span<const ParamRow> parameterTable();
inline const ParamRow& row(P p) { return parameterTable()[size_t(p)]; }

// The parameter of that name; nothing for any other text.
std::optional<P> parameterByName(std::string_view name);
// The index of a choice's word; nothing for a word it does not have.
std::optional<int> choiceByWord(P p, std::string_view word);
// The default choice's index.
int initialChoice(P p);

// Whether a text is a value a number parameter can take when it is read: a
// number, in -32768..32767 for a 16-bit integer.
bool readable(P p, std::string_view text);

// The parameters read at every step of a run: the scales of both pictures,
// the time scale and the external X force; and the free body's colour, read
// at every refresh.
inline constexpr P kRunParameters[4] = {P::Mx, P::M, P::Mt, P::Fx};

// Whether a run can use the number v for its run parameter p: not a picture
// scale of 0 or one whose reciprocal overflows, not a time scale of 0.
inline bool runUsable(P p, double v) {
  if (p == P::Mx || p == P::M) return v != 0 && std::isfinite(1 / v);
  return p != P::Mt || v != 0;
}

// Why a text is not usable where the parameter is read: no number, no
// 16-bit integer, or for a run parameter a number the run cannot use (a
// scale of 0, a picture scale whose reciprocal overflows); nothing when it
// is usable.
std::optional<Msg> textProblem(P p, std::string_view text);
inline bool usableText(P p, std::string_view text) { return !textProblem(p, text); }

// The current values of every parameter.
class Parameters {
 public:
  Parameters();  // every parameter at its default

  // A number parameter's text, exactly as given.
  const std::string& text(P p) const { return texts_[size_t(p)]; }
  void setText(P p, std::string_view text);
  // The text as a number (parsed once per change of the text); nothing when
  // it is not one.
  const std::optional<double>& number(P p) const {
    if (!parsed_[size_t(p)]) parse(p);
    return numbers_[size_t(p)];
  }

  bool on(P p) const { return flags_[size_t(p)]; }
  void setOn(P p, bool on);

  int choice(P p) const { return flags_[size_t(p)]; }
  // The chosen word.
  const char* chosen(P p) const { return row(p).choices[size_t(choice(p))].word; }
  void choose(P p, int index);

  // Moves on at every change of a switch or a choice, so that what is
  // derived from them is derived again only when it has moved.
  uint32_t switchesRevision() const { return switchesRevision_; }
  // Moves on at every change of a number's text.
  uint32_t textsRevision() const { return textsRevision_; }

  // A parameter's value as a set-up file and a script name it: the text, 0
  // or 1, or the chosen word.
  std::string valueText(P p) const;

 private:
  void parse(P p) const;

  std::array<std::string, kParameterCount> texts_;
  std::array<uint8_t, kParameterCount> flags_{};  // a switch's 0/1, a choice's index
  mutable std::array<std::optional<double>, kParameterCount> numbers_;
  mutable std::array<bool, kParameterCount> parsed_{};
  uint32_t switchesRevision_ = 0, textsRevision_ = 0;
};

// The number of a 16-bit integer parameter; nothing when its text is not one.
std::optional<int16_t> int16Of(const Parameters& p, P id);

}  // namespace lumet
