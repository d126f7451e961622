// Decimal numbers read from the console, one character at a time, so that a
// failed answer consumes exactly what it looked at on every runtime.

#include "dialogue/dialogue.h"

namespace {

constexpr int kEnd = std::istream::traits_type::eof();

bool IsBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Takes blanks, a sign and digits; the magnitude saturates above any 32-bit value.
bool ReadDecimal(std::istream& in, bool& negative, std::uint64_t& magnitude) {
    negative = false;
    magnitude = 0;
    if (!in.good()) {
        in.setstate(std::ios::failbit);
        return false;
    }
    int c = in.peek();
    while (c != kEnd && IsBlank(c)) {
        in.get();
        c = in.peek();
    }
    if (c == '+' || c == '-') {
        negative = c == '-';
        in.get();
        c = in.peek();
    }
    bool digits = false;
    while (c != kEnd && c >= '0' && c <= '9') {
        digits = true;
        if (magnitude <= 0xFFFFFFFFull) magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
        in.get();
        c = in.peek();
    }
    if (!digits) in.setstate(std::ios::failbit);
    return digits;
}

} // namespace

bool ReadInt32(std::istream& in, std::int32_t& value) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!ReadDecimal(in, negative, magnitude)) return false;
    if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) {
        in.setstate(std::ios::failbit);
        return false;
    }
    std::int64_t signedValue = static_cast<std::int64_t>(magnitude);
    value = static_cast<std::int32_t>(negative ? -signedValue : signedValue);
    return true;
}

bool ReadUInt32(std::istream& in, std::uint32_t& value) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!ReadDecimal(in, negative, magnitude)) return false;
    if (magnitude > 0xFFFFFFFFull) {
        in.setstate(std::ios::failbit);
        return false;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    value = negative ? 0u - bits : bits;
    return true;
}
