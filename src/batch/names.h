// The names of lumet-batch's parameters and shown values with their
// captions, units, boxes and meanings, as a table for the README (Markdown)
// or the manual page (roff), made from the laboratory's own tables.
#pragma once

#include <string>

namespace lumet::batch {

enum class NamesFormat { Markdown, Roff };

std::string namesTable(NamesFormat format);

}  // namespace lumet::batch
