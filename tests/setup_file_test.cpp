// Set-up files: every input control survives save -> open exactly, a file
// may name only what differs, and every kind of bad file is refused with its
// own message and changes nothing.
#include "app/setup_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

const std::string kHead = R"({"format": "lumet-setup", "version": 1, )";

// A set-up text with the given controls object (and more keys after it).
std::string withControls(const std::string& controls, const std::string& more = "") {
  return kHead + R"("controls": )" + controls + more + "}";
}

// Every input changed: each text box gets its own awkward text, every check
// box is flipped, and each option frame selects its button number `pick`
// (counted round the frame).
void changeEverything(TestLab& t, int pick) {
  const std::string texts[] = {"",       " 1,5e+3 ", "ъ\"\\/", "\t-0", "1e400",
                               "ёлка 🌲", "x\u00a0",  "3.1416", "{}",   "nan"};
  int k = 0;
  std::map<ControlId, int> seen;
  for (ControlId id : setupInputs()) {
    const ControlEntry& e = controlTable()[id];
    if (e.kind == Kind::Text) t.set(id, texts[k++ % 10] + e.name);
    if (e.kind == Kind::Check) t.c.setCheck(id, !t.c.value(id));
    if (e.kind == Kind::Option && seen[e.frame]++ == pick) t.c.select(id);
  }
  for (const auto& [frame, count] : seen)  // frames with fewer buttons than pick
    if (pick >= count)
      for (const auto& e : controlTable())
        if (e.kind == Kind::Option && e.frame == frame) t.c.select(e.id);
}

void expectSameInputs(const Controls& got, const Controls& want, const std::string& what) {
  const Controls fresh;
  for (const auto& e : controlTable()) {
    const Controls& ref = isSetupInput(e.id) ? want : fresh;
    EXPECT_EQ(got.text(e.id), ref.text(e.id)) << what << " " << e.name;
    EXPECT_EQ(got.value(e.id), ref.value(e.id)) << what << " " << e.name;
  }
}

}  // namespace

TEST(SetupFile, TheInputsAreTheParameterBoxesChecksAndOptions) {
  int texts = 0, switches = 0;
  for (ControlId id : setupInputs()) (controlTable()[id].kind == Kind::Text ? texts : switches)++;
  EXPECT_EQ(texts, 32);
  EXPECT_EQ(switches, 24 + 19);
  for (ControlId id : {Text6, Text14, Text31, Text60, Text61, Text85, Label1, Frame3, Command1})
    EXPECT_FALSE(isSetupInput(id)) << controlTable()[id].name;
  for (ControlId id : {Text41, Text7, Text50, Check6, Option7}) EXPECT_TRUE(isSetupInput(id));
}

TEST(SetupFile, EveryControlSurvivesSaveAndOpen) {
  for (int pick = 0; pick < 5; ++pick) {
    TestLab a;
    changeEverything(a, pick);
    a.m.KDfi = pick == 0 ? 400000 : 100000.0 / 3 * pick;  // whole and fractional divisors
    a.l.title = "Гонка «" + std::to_string(pick) + "»";
    a.l.description = pick % 2 ? "" : "Две фразы.\nВторая.";
    const std::string file = a.dir + "/set-up.lumet";
    ASSERT_EQ(SaveSetup(a.l, file), 0);
    TestLab b;
    b.l.Timer1.Enabled = true;
    ASSERT_TRUE(OpenSetup(b.l, file)) << b.dialogs.messages.at(0);
    const std::string what = "pick " + std::to_string(pick);
    expectSameInputs(b.c, a.c, what);
    EXPECT_EQ(b.m.KDfi, a.m.KDfi) << what;
    EXPECT_EQ(b.l.title, a.l.title);
    EXPECT_EQ(b.l.description, a.l.description);
    EXPECT_FALSE(b.l.Timer1.Enabled);  // an opened set-up stops the run
    // A saved set-up names every input control and nothing else.
    const std::string text = test::readFile(file);
    for (const auto& e : controlTable())
      EXPECT_EQ(text.find("\"" + std::string(e.name) + "\":") != std::string::npos,
                isSetupInput(e.id))
          << e.name;
  }
}

TEST(SetupFile, AFileNamesOnlyWhatDiffersFromTheDefaults) {
  TestLab t;
  changeEverything(t, 1);
  t.m.KDfi = 7;
  auto r = parseSetup(withControls(R"({"Option5": true, "Text3": "50", "Check5": false})"));
  ASSERT_TRUE(r.setup) << r.problem;
  applySetup(t.l, *r.setup);
  Controls want;
  want.select(Option5);
  want.typeText(Text3, "50");
  want.setCheck(Check5, false);
  expectSameInputs(t.c, want, "partial");
  EXPECT_EQ(t.m.KDfi, 100000);
  // A cleared button with another of its frame selected, and a lone clear
  // of a button that is not the default, are both fine.
  for (const char* controls : {R"({"Option6": false, "Option5": true})", R"({"Option5": false})"})
    EXPECT_TRUE(parseSetup(withControls(controls)).setup) << controls;
}

TEST(SetupFile, TheSavedTextIsReadableJson) {
  TestLab t;
  t.l.title = "Камень";
  std::string text = setupText(captureSetup(t.l));
  const std::string start = R"({
  "format": "lumet-setup",
  "version": 1,
  "title": "Камень",
  "controls": {
    "Text1": "1e-21",)";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find("\n  \"KDfi\": 100000\n}\n"), std::string::npos);
  EXPECT_NE(text.find("\"Option6\": true,"), std::string::npos);
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
      {R"({"format": "lumet-setup", "version": 2})",
       "установка записана более новой версией Lumet (версия формата 2, эта программа читает "
       "версию 1)"},
      {R"({"format": "lumet-setup", "version": 18446744073709551615})",
       "установка записана более новой версией Lumet (версия формата 18446744073709551615, эта "
       "программа читает версию 1)"},
      {R"({"format": "lumet-setup", "version": 0})", "неверная версия формата 0"},
      {R"({"format": "lumet-setup", "version": -3})", "неверная версия формата -3"},
      {kHead + R"("colour": 1})", "неизвестный ключ «colour»"},
      {kHead + R"("title": 1})", "значение «title» должно быть строкой"},
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
      {withControls("{}", R"(, "KDfi": 0)"), "KDfi должно быть положительным числом"},
      {withControls("{}", R"(, "KDfi": -5)"), "KDfi должно быть положительным числом"},
      {withControls("{}", R"(, "KDfi": 1e300)"), "KDfi слишком велико для поиска на циклоиде"},
      {withControls("{}", R"(, "KDfi": 1e400)"), "в файле число, слишком большое для компьютера"},
      {withControls("{}", R"(, "KDfi": "100000")"), "KDfi должно быть положительным числом"},
      // The first problem in the file's order is the one named.
      {withControls(R"({"Text99": "1"})", R"(, "KDfi": 0)"),
       "неизвестный элемент управления «Text99»"},
      {R"({"KDfi": 0, "format": "lumet-setup", "version": 1})",
       "KDfi должно быть положительным числом"},
  };
  for (const auto& c : cases) {
    SetupRead r = parseSetup(c.text);
    EXPECT_FALSE(r.setup) << c.problem;
    EXPECT_EQ(r.problem, c.problem) << c.text.substr(0, 80);
  }
  // Just inside the limits.
  for (const std::string& text :
       {withControls(R"({"Text1": ")" + cyrillic32767 + "\"}"),
        withControls("{}", R"(, "KDfi": 5e-324)") + std::string(1000, ' '),
        "\xEF\xBB\xBF" + withControls("{}"),  // a byte order mark before the text
        withControls("{}") + std::string(kSetupMaxBytes - withControls("{}").size(), '\n')}) {
    SetupRead r = parseSetup(text);
    EXPECT_TRUE(r.setup) << r.problem;
  }
}

TEST(SetupFile, ARefusedFileChangesNothingAndNamesTheFile) {
  TestLab t;
  changeEverything(t, 2);
  t.m.KDfi = 800000;
  t.l.Timer1.Enabled = true;
  const Controls before = t.c;
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
    EXPECT_FALSE(OpenSetup(t.l, path));
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0], "Не удалось открыть установку " + tail);
    expectSameInputs(t.c, before, path);
    EXPECT_EQ(t.m.KDfi, 800000);
    EXPECT_TRUE(t.l.Timer1.Enabled);
  }
}

TEST(SetupFile, EveryReadyExperimentOpensWithATitleAndTwoSentences) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LUMET_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".lumet") continue;
    ++count;
    SetupRead r = readSetupFile(entry.path().string());
    ASSERT_TRUE(r.setup) << entry.path() << ": " << r.problem;
    EXPECT_FALSE(r.setup->title.empty()) << entry.path();
    const std::string& d = r.setup->description;
    size_t sentences = 0;
    for (size_t at = d.find(". "); at != std::string::npos; at = d.find(". ", at + 1)) ++sentences;
    EXPECT_EQ(sentences + (d.back() == '.'), 2u) << entry.path() << ": " << d;
  }
  EXPECT_GE(count, 6);
}

// Whatever the bytes, reading gives a set-up or a problem, never a crash:
// every prefix of a saved set-up and a few thousand damaged copies of it.
TEST(SetupFile, DamagedFilesGiveASetupOrAProblem) {
  TestLab t;
  const std::string text = setupText(captureSetup(t.l));
  for (size_t n = 0; n + 1 < text.size(); ++n) {  // all but the final line feed
    SetupRead r = parseSetup(text.substr(0, n));
    EXPECT_FALSE(r.setup) << n;
    EXPECT_FALSE(r.problem.empty()) << n;
  }
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245 + 12345, (seed >> 8) & 0xFFFFFF; };
  int opened = 0;
  for (int k = 0; k < 3000; ++k) {
    std::string damaged = text;
    for (int flips = 1 + next() % 3; flips > 0; --flips)
      damaged[next() % damaged.size()] = char(next());
    SetupRead r = parseSetup(damaged);
    EXPECT_NE(bool(r.setup), !r.problem.empty()) << damaged;
    opened += bool(r.setup);
  }
  EXPECT_GT(opened, 0);  // a damaged text inside a box is still a set-up
}
