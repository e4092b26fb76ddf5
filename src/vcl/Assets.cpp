#include "vcl/Assets.h"

#include <map>

#include "vcl/Classes.h"

namespace vcl {

namespace {
std::map<std::string, TAsset>& Registry() {
  static std::map<std::string, TAsset> registry;
  return registry;
}
}  // namespace

void RegisterAsset(const std::string& Name, const unsigned char* Data, std::size_t Size) {
  Registry()[Name] = TAsset{Data, Size};
}

const TAsset* FindAsset(const std::string& Name) {
  auto it = Registry().find(Name);
  return it == Registry().end() ? nullptr : &it->second;
}

std::string AssetText(const std::string& Name) {
  const TAsset* a = FindAsset(Name);
  if (!a) throw EInvalidOperation("Asset '" + Name + "' is not part of the program");
  return std::string(reinterpret_cast<const char*>(a->Data), a->Size);
}

}  // namespace vcl
