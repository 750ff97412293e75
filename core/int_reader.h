// The dialog's rule for reading an integer from a field's text.
#pragma once

#include <cstdint>

// Reads at most the first 31 bytes of text: blanks (space, tab), an optional sign, decimal digits,
// blanks. A value beyond the 32-bit range becomes the nearest limit. A zero result counts only when
// the first non-blank character is the digit 0, so "", "+0" and "-0" fail. Returns false for text
// that does not read; *value is then unchanged.
bool ReadIntegerField(const char* text, int32_t* value);
