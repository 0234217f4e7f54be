// Fuzzing the set-up file reader with whole files. What must hold: a file is
// either read or refused with a problem to show, which is valid UTF-8 (the
// message box shows it); a set-up that was read is written as a text that
// reads back as the same set-up (written again, the same text).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/setup_file.h"

using namespace lumet;

namespace {

[[noreturn]] void fail(const char* what, std::string_view detail) {
  std::fprintf(stderr, "setup: %s: %.*s\n", what, int(detail.size()), detail.data());
  std::abort();
}

bool validUtf8(std::string_view s) {
  for (size_t k = 0; k < s.size();) {
    const unsigned char lead = s[k];
    const int more = lead < 0x80                   ? 0
                     : lead >= 0xC2 && lead < 0xE0 ? 1
                     : lead >= 0xE0 && lead < 0xF0 ? 2
                     : lead >= 0xF0 && lead < 0xF5 ? 3
                                                   : -1;
    if (more < 0 || k + size_t(more) >= s.size()) return false;
    for (int j = 1; j <= more; ++j)
      if ((static_cast<unsigned char>(s[k + j]) & 0xC0) != 0x80) return false;
    k += size_t(more) + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SetupRead read = parseSetup(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read.setup) {
    const std::string problem = textOf(read.problem);
    if (problem.empty()) fail("refused without a problem", "");
    if (!validUtf8(problem)) fail("a problem that is not UTF-8", problem);
    return 0;
  }
  const std::string text = setupText(*read.setup);
  const SetupRead again = parseSetup(text);
  if (!again.setup) fail("a written set-up is refused", textOf(again.problem));
  if (setupText(*again.setup) != text) fail("a written set-up reads back otherwise", text);
  return 0;
}
