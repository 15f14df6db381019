// Text as a JSON string, for the outputs of the headless front.
#pragma once
#include <string>
#include <string_view>

namespace mr {

// The text between double quotes, with '"' and '\' escaped, control
// characters as \u00XX, and every byte sequence that is not UTF-8 replaced by
// U+FFFD (one for each maximal ill-formed part), so the result is always
// valid JSON whatever bytes the text holds.
std::string TestoJson(std::string_view testo);

}  // namespace mr
