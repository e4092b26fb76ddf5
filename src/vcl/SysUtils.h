// String and number helpers of the class library.
#pragma once

#include <cstdint>
#include <string>

namespace vcl {

std::string UpperCase(const std::string& S);  // ASCII letters only
std::string LowerCase(const std::string& S);
bool SameText(const std::string& A, const std::string& B);  // without regard to ASCII case
// Removes leading and trailing blanks and control characters (every character <= ' ').
std::string Trim(const std::string& S);
std::string IntToStr(std::int64_t Value);
// Upper-case hexadecimal, at least Digits digits.
std::string IntToHex(std::uint32_t Value, int Digits);

// Converts a decimal integer (optional blanks in front, optional sign) or a hexadecimal
// constant "$" followed by one or more hexadecimal digits (at most eight significant ones,
// taken as a 32-bit two's-complement value). Anything else raises EConvertError with the
// message "'S' is not a valid integer value".
std::int32_t StrToInt(const std::string& S);

}  // namespace vcl
