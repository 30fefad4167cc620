#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::db {

// The text of a floating-point value: the shortest decimal that reads back as the same double,
// in plain notation (3.5, 0.6667, 12 for 12.0, -0.25). Magnitudes outside 1e-6..1e21 use the
// exponent form (1e+25), as plain notation would be unreadable there.
std::string formatReal(double value);

// Whole text as a 64-bit integer; leading and trailing blanks allowed. nullopt when the text is
// not an integer or does not fit.
std::optional<std::int64_t> parseInteger(std::string_view text);

// Whole text as a double (plain or exponent notation); leading and trailing blanks allowed.
std::optional<double> parseReal(std::string_view text);

// The boolean a text stands for: "1", "true", "t", "yes", "y" and any non-zero number are true;
// "0", "false", "f", "no", "n", "" and zero are false (letters compared without case). nullopt
// for anything else.
std::optional<bool> parseBoolean(std::string_view text);

}  // namespace morvane::db
