// The laboratory's manual, the text behind "About": a document under data/
// built into the programs as a resource, read by the window and by
// lumet-batch alike.
#pragma once

#include <string>

namespace lumet {

// The manual as the About window shows it and "click Command6" prints it:
// its paragraphs, each a line of text closed by a blank and two CR LF.
std::string manualText();

}  // namespace lumet
