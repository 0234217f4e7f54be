#include "batch/names.h"

#include <vector>

#include "model/parameters.h"
#include "model/values.h"

namespace lumet::batch {

namespace {

// A row of the table: its cells, the first of them a name.
using Row = std::vector<std::string>;

std::string kindOf(const ParamRow& r) {
  switch (r.kind) {
    case ParamKind::Number: return "number";
    case ParamKind::Int16: return "integer";
    case ParamKind::Switch: return "true | false";
    case ParamKind::Choice: break;
  }
  std::string words;
  for (const ChoiceRow& c : r.choices) words += (words.empty() ? "" : " | ") + std::string(c.word);
  return words;
}

// What a parameter means: its description; for a choice, each word's.
std::string meaningOf(const ParamRow& r) {
  if (r.kind != ParamKind::Choice) return r.tip.ru;
  std::string out;
  for (const ChoiceRow& c : r.choices)
    out += (out.empty() ? "" : " ") + std::string(c.word) + ": " + c.tip.ru;
  return out;
}

std::string markdown(const Row& header, const std::vector<Row>& rows) {
  auto line = [](const Row& cells, bool code) {
    std::string out = "|";
    for (size_t k = 0; k < cells.size(); ++k) {
      std::string cell = cells[k];
      // The table's bars and emphasis stars stand as they are.
      for (size_t at = cell.find_first_of("|*"); at != std::string::npos;
           at = cell.find_first_of("|*", at + 2))
        cell.insert(at, 1, '\\');
      out += " " + (code && k == 0 ? "`" + cell + "`" : cell) + " |";
    }
    return out + "\n";
  };
  std::string out = line(header, false) + "|";
  for (size_t k = 0; k < header.size(); ++k) out += "---|";
  out += "\n";
  for (const Row& r : rows) out += line(r, true);
  return out;
}

// Each row a tagged paragraph: the name in bold, then the other cells.
std::string roff(const std::vector<Row>& rows) {
  auto escaped = [](std::string s) {
    for (size_t at = s.find('\\'); at != std::string::npos; at = s.find('\\', at + 2))
      s.replace(at, 1, "\\e");
    for (size_t at = s.find('-'); at != std::string::npos; at = s.find('-', at + 2))
      s.replace(at, 1, "\\-");
    if (!s.empty() && (s[0] == '.' || s[0] == '\'')) s = "\\&" + s;
    return s;
  };
  std::string out;
  for (const Row& r : rows) {
    out += ".TP\n.B " + escaped(r[0]) + "\n";
    std::string text;
    for (size_t k = 1; k < r.size(); ++k)
      if (!r[k].empty()) text += (text.empty() ? "" : "; ") + r[k];
    out += escaped(text) + "\n";
  }
  return out;
}

}  // namespace

std::string namesTable(NamesFormat format) {
  std::vector<Row> params, values;
  for (const ParamRow& r : parameterTable())
    params.push_back({r.name, kindOf(r), r.caption.ru, r.unit.ru, r.box, meaningOf(r)});
  for (const ValueRow& r : valueTable())
    values.push_back({r.name, r.caption.ru, r.unit.ru, r.box, r.meaning().ru});
  if (format == NamesFormat::Roff)
    return ".SS Parameters\n" + roff(params) + ".SS Shown values\n" + roff(values);
  return "Parameters:\n\n" +
         markdown({"name", "value", "caption", "unit", "box", "meaning"}, params) +
         "\nShown values:\n\n" + markdown({"name", "caption", "unit", "box", "meaning"}, values);
}

}  // namespace lumet::batch
