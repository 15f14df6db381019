// Texts as JSON strings.
#include <gtest/gtest.h>

#include <string>

#include "window/tela.h"
#include "window/testo_json.h"

namespace mr {
namespace {

TEST(TestoJson, EscapesAndReplacesIllFormedUtf8) {
  struct Case {
    const char* nome;
    std::string testo, atteso;
  };
  const std::string R = "\xEF\xBF\xBD";  // U+FFFD
  const Case cases[] = {
      {"plain", "Notte", "\"Notte\""},
      {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
      {"control characters", std::string("a\nb\x01", 4), "\"a\\u000ab\\u0001\""},
      {"NUL", std::string("a\0b", 3), "\"a\\u0000b\""},
      {"two, three and four bytes", "Velocità ° € \xF0\x9F\x98\x80",
       "\"Velocità ° € \xF0\x9F\x98\x80\""},
      {"a lone continuation byte", "a\x80z", "\"a" + R + "z\""},
      {"a byte never in UTF-8", "\xFF", "\"" + R + "\""},
      {"an overlong form: two bytes", "\xC0\x80", "\"" + R + R + "\""},
      {"a surrogate: three bytes", "\xED\xA0\x80", "\"" + R + R + R + "\""},
      {"beyond U+10FFFF: four bytes", "\xF4\x90\x80\x80", "\"" + R + R + R + R + "\""},
      {"a cut sequence at the end: one", "ab\xE2\x82", "\"ab" + R + "\""},
      {"a cut sequence before ASCII: one", "\xF0\x9F\x98" "A", "\"" + R + "A\""},
      // The example of the Unicode Standard (chapter 3, U+FFFD substitution of
      // maximal subparts): 61 F1 80 80 E1 80 C2 62 80 63 80 BF 64.
      {"Unicode's example", "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
       "\"a" + R + R + R + "b" + R + "c" + R + R + "d\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(TestoJson(c.testo), c.atteso);
  }
}

// The recorded drawings print their texts through the same escaping.
TEST(TestoJson, PrintedTextsOfADrawing) {
  TelaRegistrata t;
  t.Stampa("-7\"0\n");
  EXPECT_EQ(OperazioniJson(t.operazioni), "[{\"op\":\"print\",\"text\":\"-7\\\"0\\u000a\"}]");
}

}  // namespace
}  // namespace mr
