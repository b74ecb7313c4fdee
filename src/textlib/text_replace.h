#pragma once
// The case-insensitive replacement lives in the foundation, which needs it too.
#include "foundation/text_replace.h"

namespace textlib {
using foundation::TextErsetzen;
} // namespace textlib
