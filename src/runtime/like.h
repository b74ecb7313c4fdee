#pragma once
// The Like operator: "*" any run, "?" one character, "#" one digit, "[abc]", "[a-z]", "[!x]".
// Comparison is exact (case-sensitive); callers that want it otherwise lower-case both sides.
#include <QString>

namespace rt {

// False for an invalid pattern (an unclosed "[", a range whose ends are reversed); never throws.
bool Like(const QString& text, const QString& pattern);
// Whether the pattern is valid; a caller that loops over many texts checks once and reports once.
bool LikePatternValid(const QString& pattern);

} // namespace rt
