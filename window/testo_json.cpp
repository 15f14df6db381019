#include "window/testo_json.h"

#include <cstdio>

namespace mr {

namespace {

constexpr std::string_view Sostituto = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The allowed range of the second byte after a lead byte; the bytes after it
// are always 80..BF.
struct Sequenza {
  int lunghezza;  // 0: not a lead byte
  unsigned char min2, max2;
};

Sequenza SequenzaDi(unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) return {2, 0x80, 0xBF};
  if (c == 0xE0) return {3, 0xA0, 0xBF};
  if (c == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (c >= 0xE1 && c <= 0xEF) return {3, 0x80, 0xBF};
  if (c == 0xF0) return {4, 0x90, 0xBF};
  if (c >= 0xF1 && c <= 0xF3) return {4, 0x80, 0xBF};
  if (c == 0xF4) return {4, 0x80, 0x8F};  // up to U+10FFFF
  return {0, 0, 0};
}

// Bytes of the well-formed sequence starting at i, or, when it is ill-formed,
// minus the length of its maximal ill-formed part (at least 1).
int Misura(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  const Sequenza q = SequenzaDi(c);
  if (q.lunghezza == 0) return -1;
  int k = 1;
  for (; k < q.lunghezza && i + k < s.size(); ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    const bool ammesso = k == 1 ? (b >= q.min2 && b <= q.max2) : (b >= 0x80 && b <= 0xBF);
    if (!ammesso) break;
  }
  return k == q.lunghezza ? k : -k;
}

}  // namespace

std::string TestoJson(std::string_view testo) {
  std::string out = "\"";
  for (std::size_t i = 0; i < testo.size();) {
    const int n = Misura(testo, i);
    if (n < 0) {
      out += Sostituto;
      i += static_cast<std::size_t>(-n);
      continue;
    }
    const auto c = static_cast<unsigned char>(testo[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out.append(testo.substr(i, static_cast<std::size_t>(n)));
    }
    i += static_cast<std::size_t>(n);
  }
  return out + "\"";
}

}  // namespace mr
