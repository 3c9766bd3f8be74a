// The value-to-string helpers behind AudioEffect's dB2string, Hz2string,
// ms2string, float2string and int2string. Each writes into a caller's buffer of
// maxLen + 1 bytes and never beyond it. Digits are truncated, never rounded,
// so a displayed text is an exact function of the stored value.
#pragma once

#include <cstdint>

namespace tamzor {

// Prints value with a budget of 8 characters including sign and decimal
// point: 0.7f gives "0.699999", 1.0 gives "1.000000", -20 gives "-20.0000".
// Values whose integer digits do not fit the budget give "Huge!"; NaN gives
// "NaN".
void float2string(float value, char* text, int maxLen);

// 20 * log10(value) through float2string; "-oo" for zero and negative values.
void dB2string(float value, char* text, int maxLen);

// sampleRate / samples through float2string; 0 prints as "0.000000".
void Hz2string(float samples, float sampleRate, char* text, int maxLen);

// samples * 1000 / sampleRate through float2string.
void ms2string(float samples, float sampleRate, char* text, int maxLen);

// Decimal digits without leading zeros, "-" before a negative value, "0" for
// zero and "Huge!" for values from 100000000 up (negative values never).
void int2string(std::int32_t value, char* text, int maxLen);

}  // namespace tamzor
