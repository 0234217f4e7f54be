// The languages the laboratory speaks, and a text of its tables written in
// each of them. Russian is the laboratory's own language and the default;
// every table carries an English column beside the Russian one.
#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumet {

enum class Language : uint8_t { ru, en };

inline constexpr Language kLanguages[] = {Language::ru, Language::en};
inline constexpr int kLanguageCount = int(std::size(kLanguages));

// The language's code as files and the command line name it: "ru", "en".
constexpr const char* languageCode(Language l) { return l == Language::en ? "en" : "ru"; }
constexpr std::optional<Language> languageByCode(std::string_view code) {
  for (Language l : kLanguages)
    if (code == languageCode(l)) return l;
  return std::nullopt;
}

// A text of a table in every language. A symbol that reads the same in all
// of them ("m1", "VX") is written once.
struct Words {
  const char* ru = "";
  const char* en = "";

  constexpr Words() = default;
  constexpr Words(const char* same) : ru(same), en(same) {}  // NOLINT: a symbol
  constexpr Words(const char* ru, const char* en) : ru(ru), en(en) {}

  constexpr const char* in(Language l) const { return l == Language::en ? en : ru; }
};

// A text that a file gives in one language or several (a set-up's title and
// description): each with its language's code, in the file's order. Codes of
// languages this build does not speak are kept, so that a file passes through
// unchanged.
struct LocalText {
  std::vector<std::pair<std::string, std::string>> byCode;

  LocalText() = default;
  // A text in Russian alone, as files without a second language give it.
  explicit LocalText(std::string ru) {
    if (!ru.empty()) byCode.emplace_back("ru", std::move(ru));
  }

  bool empty() const { return byCode.empty(); }
  // Only Russian: written as a plain string.
  bool russianOnly() const { return byCode.size() == 1 && byCode[0].first == "ru"; }
  // The text in the language; without one of its own, the Russian text, else
  // the first one given.
  const std::string& in(Language l) const {
    static const std::string none;
    const std::string* ru = nullptr;
    for (const auto& [code, text] : byCode) {
      if (code == languageCode(l)) return text;
      if (code == "ru") ru = &text;
    }
    return ru ? *ru : byCode.empty() ? none : byCode[0].second;
  }
  // The text in the language, the others kept; an empty text removes it.
  void set(Language l, std::string text) {
    const std::string code = languageCode(l);
    for (auto it = byCode.begin(); it != byCode.end(); ++it) {
      if (it->first != code) continue;
      if (text.empty())
        byCode.erase(it);
      else
        it->second = std::move(text);
      return;
    }
    if (!text.empty()) byCode.emplace_back(code, std::move(text));
  }
  bool operator==(const LocalText&) const = default;
};

}  // namespace lumet
