#include "vcl/SysUtils.h"

#include <cctype>
#include <cstdio>

#include "vcl/Classes.h"

namespace vcl {

std::string UpperCase(const std::string& S) {
  std::string r = S;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

std::string LowerCase(const std::string& S) {
  std::string r = S;
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

bool SameText(const std::string& A, const std::string& B) {
  return A.size() == B.size() && UpperCase(A) == UpperCase(B);
}

std::string Trim(const std::string& S) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t b = 0, e = S.size();
  while (b < e && blank(S[b])) ++b;
  while (e > b && blank(S[e - 1])) --e;
  return S.substr(b, e - b);
}

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }

std::string IntToHex(std::uint32_t Value, int Digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", Digits, Value);
  return buf;
}

namespace {

[[noreturn]] void NotAnInteger(const std::string& S) {
  throw EConvertError("'" + S + "' is not a valid integer value");
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::int32_t StrToInt(const std::string& S) {
  std::size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  if (i < S.size() && S[i] == '$') {
    ++i;
    if (i == S.size()) NotAnInteger(S);
    std::uint32_t value = 0;
    int significant = 0;
    for (; i < S.size(); ++i) {
      int d = HexDigit(S[i]);
      if (d < 0) NotAnInteger(S);
      if (significant > 0 || d != 0) ++significant;
      if (significant > 8) NotAnInteger(S);
      value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
  }
  bool negative = false;
  if (i < S.size() && (S[i] == '-' || S[i] == '+')) negative = S[i++] == '-';
  if (i == S.size()) NotAnInteger(S);
  std::int64_t value = 0;
  for (; i < S.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(S[i]))) NotAnInteger(S);
    value = value * 10 + (S[i] - '0');
    if (value > 2147483648LL) NotAnInteger(S);
  }
  if (negative) value = -value;
  if (value > 2147483647LL) NotAnInteger(S);
  return static_cast<std::int32_t>(value);
}

}  // namespace vcl
