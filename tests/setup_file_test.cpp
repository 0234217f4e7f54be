// Set-up files: every parameter survives save -> open exactly, a file of
// version 1 opens as before, a file may name only what differs, and every
// kind of bad file is refused with its own message and changes nothing.
#include "app/setup_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

const std::string kHead = R"({"format": "lumet-setup", "version": 1, )";
const std::string kHead2 = R"({"format": "lumet-setup", "version": 2, )";

// A version 1 set-up text with the given controls object (and more keys
// after it).
std::string withControls(const std::string& controls, const std::string& more = "") {
  return kHead + R"("controls": )" + controls + more + "}";
}

// A set-up text with the given parameters object (and more keys after it).
std::string withParameters(const std::string& parameters, const std::string& more = "") {
  return kHead2 + R"("parameters": )" + parameters + more + "}";
}

// A text as a JSON string.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += char(ch);
    } else if (ch < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", ch);
      out += code;
    } else {
      out += char(ch);
    }
  }
  return out + "\"";
}

// The parameters as a version 1 file names them: the form's boxes, check
// boxes and option buttons.
std::string asControls(const Parameters& p) {
  std::string out;
  auto add = [&](const char* box, const std::string& value) {
    out += (out.empty() ? "{" : ", ") + quoted(box) + ": " + value;
  };
  for (const ParamRow& r : parameterTable()) {
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16: add(r.box, quoted(p.text(r.id))); break;
      case ParamKind::Switch: add(r.box, p.on(r.id) ? "true" : "false"); break;
      case ParamKind::Choice:
        for (size_t k = 0; k < r.choices.size(); ++k)
          add(r.choices[k].box, int(k) == p.choice(r.id) ? "true" : "false");
        break;
    }
  }
  return out + "}";
}

// Every parameter changed: each number gets its own awkward text, every
// switch is flipped, and each choice takes its word number `pick` (its last
// when it has fewer).
void changeEverything(TestLab& t, int pick) {
  const std::string texts[] = {"",       " 1,5e+3 ", "ъ\"\\/", "\t-0", "1e400",
                               "ёлка 🌲", "x\u00a0",  "3.1416", "{}",   "nan"};
  int k = 0;
  for (const ParamRow& r : parameterTable()) {
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16: t.set(r.id, texts[k++ % 10] + r.name); break;
      case ParamKind::Switch: t.check(r.id, !t.p.on(r.id)); break;
      case ParamKind::Choice: t.lab.choose(r.id, std::min(pick, int(r.choices.size()) - 1)); break;
    }
  }
}

void expectSameParameters(const Parameters& got, const Parameters& want, const std::string& what) {
  for (const ParamRow& r : parameterTable()) {
    EXPECT_EQ(got.text(r.id), want.text(r.id)) << what << " " << r.name;
    EXPECT_EQ(got.on(r.id), want.on(r.id)) << what << " " << r.name;
    EXPECT_EQ(got.choice(r.id), want.choice(r.id)) << what << " " << r.name;
  }
}

}  // namespace

TEST(SetupFile, TheSetUpIsEveryParameterAndNoShownValue) {
  int numbers = 0, switches = 0, words = 0;
  for (const ParamRow& r : parameterTable()) {
    numbers += r.kind == ParamKind::Number || r.kind == ParamKind::Int16;
    switches += r.kind == ParamKind::Switch;
    words += int(r.choices.size());
  }
  EXPECT_EQ(numbers, 32);
  EXPECT_EQ(switches + words, 24 + 19);
  for (const char* name : {"ttR", "R2", "X", "T", "T1", "ColTpU5", "fiN2", "fiK2_rod"})
    EXPECT_FALSE(parameterByName(name)) << name;
  for (const char* name : {"fiK2", "VXn", "colour5", "log", "shown"})
    EXPECT_TRUE(parameterByName(name)) << name;
}

TEST(SetupFile, EveryParameterSurvivesSaveAndOpen) {
  for (int pick = 0; pick < 5; ++pick) {
    TestLab a;
    changeEverything(a, pick);
    a.m.KDfi = pick == 0 ? 400000 : 100000.0 / 3 * pick;  // whole and fractional divisors
    // A plain Russian title, or one by language (with a language this build
    // does not speak, kept as it is).
    a.x.title = LocalText("Гонка «" + std::to_string(pick) + "»");
    if (pick % 2) a.x.title.byCode.insert(a.x.title.byCode.begin(), {"en", "Race"});
    if (pick == 3) a.x.title.byCode.push_back({"de", "Wettlauf"});
    a.x.description = LocalText(pick % 2 ? "" : "Две фразы.\nВторая.");
    const std::string file = a.dir + "/set-up.lumet";
    ASSERT_TRUE(SaveSetup(a.x, file).ok());
    TestLab b;
    b.x.running = true;
    b.open(file);
    ASSERT_TRUE(b.dialogs.messages.empty()) << b.dialogs.messages.at(0);
    const std::string what = "pick " + std::to_string(pick);
    expectSameParameters(b.p, a.p, what);
    EXPECT_EQ(b.m.KDfi, a.m.KDfi) << what;
    EXPECT_EQ(b.x.title, a.x.title);
    EXPECT_EQ(b.x.description, a.x.description);
    EXPECT_FALSE(b.running());  // an opened set-up stops the run
    // A saved set-up names every parameter by its name, and no control of
    // the form.
    const std::string text = test::readFile(file);
    for (const ParamRow& r : parameterTable()) {
      EXPECT_NE(text.find("\"" + std::string(r.name) + "\":"), std::string::npos) << r.name;
      EXPECT_EQ(text.find("\"" + std::string(r.box) + "\":"), std::string::npos) << r.box;
      for (const ChoiceRow& c : r.choices)
        EXPECT_EQ(text.find("\"" + std::string(c.box) + "\":"), std::string::npos) << c.box;
    }
  }
}

// A file of version 1 names the form's controls; it opens as it always has.
TEST(SetupFile, AVersionOneFileOpensAsBefore) {
  for (int pick = 0; pick < 5; ++pick) {
    TestLab a;
    changeEverything(a, pick);
    const std::string file = a.dir + "/old.lumet";
    std::ofstream(file) << withControls(asControls(a.p), R"(, "KDfi": 200000)");
    TestLab b;
    b.open(file);
    ASSERT_TRUE(b.dialogs.messages.empty()) << b.dialogs.messages.at(0);
    expectSameParameters(b.p, a.p, "pick " + std::to_string(pick));
    EXPECT_EQ(b.m.KDfi, 200000);
  }
}

TEST(SetupFile, AFileNamesOnlyWhatDiffersFromTheDefaults) {
  Parameters want;
  want.choose(P::field, *choiceByWord(P::field, "flat"));
  want.setText(P::M, "50");
  want.setOn(P::free, false);
  for (const std::string& text :
       {withControls(R"({"Option5": true, "Text3": "50", "Check5": false})"),
        withParameters(R"({"field": "flat", "M": "50", "free": false})")}) {
    TestLab t;
    changeEverything(t, 1);
    t.m.KDfi = 7;
    auto r = parseSetup(text);
    ASSERT_TRUE(r.setup) << textOf(r.problem);
    applySetup(t.x, *r.setup);
    expectSameParameters(t.p, want, text);
    EXPECT_EQ(t.m.KDfi, 100000);
  }
  // A cleared button with another of its frame selected, and a lone clear
  // of a button that is not the default, are both fine.
  for (const char* controls : {R"({"Option6": false, "Option5": true})", R"({"Option5": false})"})
    EXPECT_TRUE(parseSetup(withControls(controls)).setup) << controls;
}

TEST(SetupFile, TheSavedTextIsReadableJson) {
  TestLab t;
  t.x.title = LocalText("Камень");
  std::string text = setupText(captureSetup(t.x));
  const std::string start = R"({
  "format": "lumet-setup",
  "version": 2,
  "title": "Камень",
  "parameters": {
    "m1": "1e-21",)";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find("\n  \"KDfi\": 100000\n}\n"), std::string::npos);
  EXPECT_NE(text.find("\"field\": \"sphere\","), std::string::npos);
  EXPECT_NE(text.find("\"euler\": false,"), std::string::npos);
}

struct Refusal {
  std::string text, problem;
};

TEST(SetupFile, EachBadFileIsRefusedWithItsProblem) {
  const std::string deep = std::string(100000, '[');
  const std::string longName(1000, 'x');
  const std::string cyrillic32767 = [] {
    std::string s;
    for (int k = 0; k < 32767; ++k) s += "ж";
    return s;
  }();
  const Refusal cases[] = {
      {"", "файл пуст"},
      {" \r\n\t", "файл пуст"},
      {"\xEF\xBB\xBF\r\n", "файл пуст"},
      {std::string(kSetupMaxBytes + 1, ' '), "файл больше 1 МБ"},
      {R"({"format": "lumet-setup", "version)", "файл оборван: JSON не закончен"},
      {kHead + R"("controls": {"Text1": "1")", "файл оборван: JSON не закончен"},
      {std::string("\x00\x01\x02\xff", 4), "это не JSON (ошибка в строке 1, позиция 1)"},
      {"{\n  \"format\": lumet}", "это не JSON (ошибка в строке 2, позиция 13)"},
      {"{\"ж\": 1,\n \"й\": 'x'}", "это не JSON (ошибка в строке 2, позиция 7)"},
      {"{\"format\": \"\xff\"}", "это не JSON (ошибка в строке 1, позиция 13)"},
      {deep, "вложенность глубже 16 уровней"},
      {withControls(R"({"Text1": )" + std::string(20, '[')), "вложенность глубже 16 уровней"},
      {"[1]", "это не установка Lumet: в файле не объект JSON"},
      {"{}", "это не установка Lumet: нет ключа «format»"},
      {R"({"format": "other"})", "это не установка Lumet: формат «other» вместо «lumet-setup»"},
      {R"({"format": [5]})", "это не установка Lumet: значение «format» не строка"},
      {R"({"version": 1, "format": "lumet-setup", "format": "x"})", "ключ «format» повторяется"},
      {R"({"format": "lumet-setup"})", "нет ключа «version»"},
      {R"({"format": "lumet-setup", "version": "1"})", "версия формата должна быть целым числом"},
      {R"({"format": "lumet-setup", "version": 1.0})", "версия формата должна быть целым числом"},
      {R"({"format": "lumet-setup", "version": 3})",
       "установка записана более новой версией Lumet (версия формата 3, эта программа читает "
       "версию 2)"},
      {R"({"format": "lumet-setup", "version": 18446744073709551615})",
       "установка записана более новой версией Lumet (версия формата 18446744073709551615, эта "
       "программа читает версию 2)"},
      {R"({"format": "lumet-setup", "version": 0})", "неверная версия формата 0"},
      {R"({"format": "lumet-setup", "version": -3})", "неверная версия формата -3"},
      {kHead + R"("colour": 1})", "неизвестный ключ «colour»"},
      {kHead + R"("title": 1})", "значение «title» должно быть строкой"},
      {kHead + R"("title": {"en": 1}})", "значение «title» должно быть строкой"},
      {kHead + R"("title": {"English": "Race"}})",
       "в значении «title» ключ «English» не код языка"},
      {kHead + R"("title": ")" + std::string(201, 'a') + "\"}",
       "значение «title» длиннее 200 символов"},
      {kHead + R"("description": ")" + std::string(2001, 'a') + "\"}",
       "значение «description» длиннее 2000 символов"},
      {withControls("[]"), "значение «controls» должно быть объектом"},
      {withControls(R"({"Text99": "1"})"), "неизвестный элемент управления «Text99»"},
      {withControls("{\"" + longName + "\": 1}"),
       "неизвестный элемент управления «" + std::string(40, 'x') + "…»"},
      {withControls(R"({"Text1\n": 1})"), "неизвестный элемент управления «Text1?»"},
      {withControls(R"({"Text60": "1"})"), "элемент «Text60» не входит в установку"},
      {withControls(R"({"Command1": true})"), "элемент «Command1» не входит в установку"},
      {withControls(R"({"Text1": "1", "Text1": "2"})"), "ключ «Text1» повторяется"},
      {withControls(R"({"Text1": 1})"), "значение «Text1» должно быть строкой"},
      {withControls(R"({"Text1": null})"), "значение «Text1» должно быть строкой"},
      {withControls(R"({"Text1": ")" + std::string(32768, '1') + "\"}"),
       "значение «Text1» длиннее 32767 символов"},
      {withControls(R"({"Text1": ")" + cyrillic32767 + "ж\"}"),
       "значение «Text1» длиннее 32767 символов"},
      {withControls(R"({"Check1": "1"})"), "значение «Check1» должно быть true или false"},
      {withControls(R"({"Option5": 1})"), "значение «Option5» должно быть true или false"},
      {withControls(R"({"Option5": true, "Option6": true})"),
       "выбраны сразу две кнопки одной рамки: Option5 («плоское») и Option6 («сфера»)"},
      {withControls(R"({"Option6": false})"), "в рамке Frame3 («Поле») не выбрана ни одна кнопка"},
      {withControls(R"({"Option1": false})"), "в рамке Frame2 не выбрана ни одна кнопка"},
      {kHead + R"("parameters": {}})", "неизвестный ключ «parameters»"},
      {withParameters("[]"), "значение «parameters» должно быть объектом"},
      {kHead2 + R"("controls": {}})", "неизвестный ключ «controls»"},
      {withParameters(R"({"X": "1"})"), "неизвестный параметр «X»"},
      {withParameters(R"({"Text1": "1"})"), "неизвестный параметр «Text1»"},
      {withParameters(R"({"m1\n": "1"})"), "неизвестный параметр «m1?»"},
      {withParameters(R"({"m1": "1", "m1": "2"})"), "ключ «m1» повторяется"},
      {withParameters(R"({"m1": 1})"), "значение «m1» должно быть строкой"},
      {withParameters(R"({"NCg": null})"), "значение «NCg» должно быть строкой"},
      {withParameters(R"({"m1": ")" + std::string(32768, '1') + "\"}"),
       "значение «m1» длиннее 32767 символов"},
      {withParameters(R"({"euler": "true"})"), "значение «euler» должно быть true или false"},
      {withParameters(R"({"euler": 1})"), "значение «euler» должно быть true или false"},
      {withParameters(R"({"field": "plane"})"),
       "значение «field» должно быть одним из: flat, sphere"},
      {withParameters(R"({"field": true})"), "значение «field» должно быть одним из: flat, sphere"},
      {withParameters(R"({"finish": "X>Yk"})"),
       "значение «finish» должно быть одним из: X>Xk, X<Xk, Y>Yk, Y<Yk"},
      {withParameters(R"({"shown": 5})"), "значение «shown» должно быть одним из: 1, 2, 3, 4, 5"},
      {withControls("{}", R"(, "KDfi": 0)"), "KDfi должно быть положительным числом"},
      {withControls("{}", R"(, "KDfi": -5)"), "KDfi должно быть положительным числом"},
      {withControls("{}", R"(, "KDfi": 1e300)"), "KDfi слишком велико для поиска на циклоиде"},
      {withControls("{}", R"(, "KDfi": 5e-324)"), "KDfi слишком мало для поиска на циклоиде"},
      {withParameters("{}", R"(, "KDfi": 0.3)"), "KDfi слишком мало для поиска на циклоиде"},
      {withControls("{}", R"(, "KDfi": 1e400)"), "в файле число, слишком большое для компьютера"},
      {withControls("{}", R"(, "KDfi": "100000")"), "KDfi должно быть положительным числом"},
      // The first problem in the file's order is the one named.
      {withControls(R"({"Text99": "1"})", R"(, "KDfi": 0)"),
       "неизвестный элемент управления «Text99»"},
      {R"({"KDfi": 0, "format": "lumet-setup", "version": 1})",
       "KDfi должно быть положительным числом"},
      {withParameters(R"({"m0": "1"})", R"(, "KDfi": 0)"), "неизвестный параметр «m0»"},
  };
  for (const auto& c : cases) {
    SetupRead r = parseSetup(c.text);
    EXPECT_FALSE(r.setup) << c.problem;
    EXPECT_EQ(textOf(r.problem), c.problem) << c.text.substr(0, 80);
  }
  // Just inside the limits.
  for (const std::string& text :
       {withControls(R"({"Text1": ")" + cyrillic32767 + "\"}"),
        withParameters(R"({"m1": ")" + cyrillic32767 + "\"}"),
        withControls("{}", R"(, "KDfi": 0.32)") + std::string(1000, ' '),
        withParameters("{}", R"(, "KDfi": 2.1e14)") + std::string(1000, ' '),
        "\xEF\xBB\xBF" + withControls("{}"),  // a byte order mark before the text
        withControls("{}") + std::string(kSetupMaxBytes - withControls("{}").size(), '\n')}) {
    SetupRead r = parseSetup(text);
    EXPECT_TRUE(r.setup) << textOf(r.problem);
  }
}

// What saves, opens: a set-up that the opening would refuse is not written,
// and the save gives the opening's reason.
TEST(SetupFile, ASetUpThatWouldNotOpenIsNotSaved) {
  // Texts of two-byte letters: 17 boxes within the limit make a file of
  // more than 1 MB.
  const struct {
    int boxes;
    size_t length;
    std::string problem;
  } cases[] = {{1, 40000, "значение «m1» длиннее 32767 символов"}, {17, 32767, "файл больше 1 МБ"}};
  for (const auto& c : cases) {
    TestLab t;
    std::string text;
    for (size_t n = 0; n < c.length; ++n) text += "ж";
    int k = 0;
    for (const ParamRow& r : parameterTable())
      if (r.kind == ParamKind::Number && k++ < c.boxes) t.set(r.id, text);
    const std::string file = t.dir + "/big.lumet";
    const SetupSaved saved = SaveSetup(t.x, file);
    ASSERT_TRUE(saved.refused) << c.problem;
    EXPECT_EQ(textOf(*saved.refused), c.problem);
    EXPECT_FALSE(std::filesystem::exists(file));
  }
}

TEST(SetupFile, ARefusedFileChangesNothingAndNamesTheFile) {
  TestLab t;
  changeEverything(t, 2);
  t.m.KDfi = 800000;
  t.x.running = true;
  const Parameters before = t.p;
  const std::string bad = t.dir + "/bad.lumet";
  std::ofstream(bad) << withControls(R"({"Text3": "50", "Option5": true, "Text99": "1"})");
  const std::string big = t.dir + "/big.lumet";
  std::ofstream(big) << std::string(kSetupMaxBytes + 1, ' ');
  const std::string loop = t.dir + "/loop.lumet";
  std::filesystem::create_symlink("loop.lumet", loop);
  const std::pair<std::string, std::string> files[] = {
      {bad, "«bad.lumet»: неизвестный элемент управления «Text99»."},
      {big, "«big.lumet»: файл больше 1 МБ."},
      {t.dir + "/missing.lumet", "«missing.lumet»: нет такого файла или папки."},
      {t.dir, "«" + t.dir.substr(t.dir.rfind('/') + 1) + "»: это папка, а не файл."},
      {t.dir + "/", "«" + t.dir.substr(t.dir.rfind('/') + 1) + "»: это папка, а не файл."},
      {loop, "«loop.lumet»: слишком много уровней символических ссылок."},
      {"/dev/null", "«null»: это не обычный файл."},
  };
  for (const auto& [path, tail] : files) {
    t.dialogs.messages.clear();
    const Report r = t.open(path);
    EXPECT_TRUE(r.params.empty());
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0], "Не удалось открыть установку " + tail);
    expectSameParameters(t.p, before, path);
    EXPECT_EQ(t.m.KDfi, 800000);
    EXPECT_TRUE(t.running());
  }
}

TEST(SetupFile, EveryReadyExperimentOpensWithATitleAndTwoSentencesInEachLanguage) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LUMET_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".lumet") continue;
    ++count;
    SetupRead r = readSetupFile(entry.path().string());
    ASSERT_TRUE(r.setup) << entry.path() << ": " << textOf(r.problem);
    ASSERT_EQ(r.setup->title.byCode.size(), size_t(kLanguageCount)) << entry.path();
    ASSERT_EQ(r.setup->description.byCode.size(), size_t(kLanguageCount)) << entry.path();
    for (Language l : kLanguages) {
      EXPECT_EQ(r.setup->title.byCode[size_t(l)].first, languageCode(l)) << entry.path();
      EXPECT_FALSE(r.setup->title.in(l).empty()) << entry.path();
      const std::string& d = r.setup->description.in(l);
      size_t sentences = 0;
      for (size_t at = d.find(". "); at != std::string::npos; at = d.find(". ", at + 1))
        ++sentences;
      EXPECT_EQ(sentences + (d.back() == '.'), 2u) << entry.path() << ": " << d;
    }
  }
  EXPECT_GE(count, 6);
}

// Whatever the bytes, reading gives a set-up or a problem, never a crash:
// every prefix of a saved set-up and a few thousand damaged copies of it.
TEST(SetupFile, DamagedFilesGiveASetupOrAProblem) {
  TestLab t;
  const std::string text = setupText(captureSetup(t.x));
  for (size_t n = 0; n + 1 < text.size(); ++n) {  // all but the final line feed
    SetupRead r = parseSetup(text.substr(0, n));
    EXPECT_FALSE(r.setup) << n;
    EXPECT_FALSE(textOf(r.problem).empty()) << n;
  }
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245 + 12345, (seed >> 8) & 0xFFFFFF; };
  int opened = 0;
  for (int k = 0; k < 3000; ++k) {
    std::string damaged = text;
    for (int flips = 1 + next() % 3; flips > 0; --flips)
      damaged[next() % damaged.size()] = char(next());
    SetupRead r = parseSetup(damaged);
    EXPECT_NE(bool(r.setup), !textOf(r.problem).empty()) << damaged;
    opened += bool(r.setup);
  }
  EXPECT_GT(opened, 0);  // a damaged text inside a box is still a set-up
}
