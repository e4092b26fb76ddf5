// Run-time binding of the maker's card-driver library. The library is loaded by name, its
// 33 entry points looked up by name; the binding counts only when all are found. The
// library is never unloaded; a binding that failed is tried again at the next call.
#pragma once

#include <string>

namespace lllqvrwdm {

// The library's file name on this platform ("QVRWDM.dll" on Windows).
extern const char* const kLibraryName;

// True once every entry point has been found.
extern bool WDMBound;

void LoadQVRWDM();
// The same, from another file (tests).
void LoadQVRWDMFrom(const std::string& LibraryName);
// The number of installed cards, 0 or less meaning none. Only meaningful while WDMBound;
// without a binding it answers 0.
int GetNumCards();

// The entry points, in the order they are looked up.
extern const char* const kEntryPointNames[33];

}  // namespace lllqvrwdm
