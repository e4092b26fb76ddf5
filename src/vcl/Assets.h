// Files compiled into the program (pictures, form data), found by file name.
#pragma once

#include <cstddef>
#include <string>

namespace vcl {

struct TAsset {
  const unsigned char* Data;
  std::size_t Size;
};

void RegisterAsset(const std::string& Name, const unsigned char* Data, std::size_t Size);
// nullptr when no asset of that name was compiled in.
const TAsset* FindAsset(const std::string& Name);
std::string AssetText(const std::string& Name);  // raises EInvalidOperation when missing

}  // namespace vcl
