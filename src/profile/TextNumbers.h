#pragma once
// Number conversions of the text files. Readers never fail on a number: conversion stops at the
// first character that does not belong to it, the way the files have always been read.
#include <cstdint>
#include <string_view>

#include "base/Text.h"

namespace orvane {

// Optional leading blanks and sign, then decimal digits; saturates to the 32-bit range.
int32_t ParseDecimal(std::u16string_view text);
// Like ParseDecimal, for counts stored unsigned: saturates at 2^32 - 1 and a minus sign wraps,
// so every value the writers produce reads back unchanged.
uint32_t ParseUnsigned32(std::u16string_view text);
// Optional leading blanks and sign, optional "0x" with the blanks "0x%4X" pads with, then hex
// digits; saturates to the 32-bit range.
int32_t ParseHexSigned(std::u16string_view text);
// The fixed-width field [pos, pos + width) of a line: its leading hex digits, 0 when there are none
// (also when the line is shorter than pos).
uint32_t HexField(std::u16string_view line, size_t pos, size_t width);

void AppendHex2(Text& out, uint8_t value);       // "%.2X"
void AppendHex4(Text& out, uint16_t value);      // "%.4X"
void AppendDecimal(Text& out, long long value);  // "%d" / "%u"
Text DecimalText(long long value);

}  // namespace orvane
