// The laboratory's manual, the text behind "About": a document under data/
// built into the programs as a resource, read by the window and by
// lumet-batch alike.
#pragma once

#include <string>

#include "model/local_text.h"

namespace lumet {

// The manual in the language (data/manual.ru.md, data/manual.en.md) as the
// About window shows it and "click Command6" prints it: its paragraphs,
// each a line of text closed by a blank and two CR LF.
std::string manualText(Language language = Language::ru);

}  // namespace lumet
