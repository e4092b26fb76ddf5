#include "LLLQVRWDM/LLLQVRWDM.h"

#include "vcl/Platform.h"

namespace lllqvrwdm {

const char* const kLibraryName = "libQVRWDM.so";

const char* const kEntryPointNames[33] = {
    "GetNumCards",  "QueryCardInfo", "QueryBARBase",   "WaitForIRQ",     "COSWaitForIRQ", "WDGHandleIRQ",
    "AbortRequest", "CloseCard",     "WDGInit",        "WDGSetTimeout",  "WDGSetResetDuration",
    "WDGPet",       "WDGReadTemp",   "WDGReadStatus",  "WDGStart",       "WDGStop",       "EmergencyReboot",
    "InPortB",      "OutPortB",      "InPort",         "OutPort",        "InPortL",       "OutPortL",
    "InPortDWord",  "OutPortDWord",  "RelInPortB",     "RelOutPortB",    "RelInPort",     "RelOutPort",
    "RelInPortL",   "RelOutPortL",   "RelInPortDWord", "RelOutPortDWord",
};

bool WDMBound = false;

namespace {
void* gEntryPoints[33] = {};
}  // namespace

void LoadQVRWDM() { LoadQVRWDMFrom(kLibraryName); }

void LoadQVRWDMFrom(const std::string& LibraryName) {
  if (WDMBound) return;
  vcl::TLibraryHandle library = vcl::LoadSharedLibrary(LibraryName);
  if (!library) return;
  bool all = true;
  for (int i = 0; i < 33; ++i) {
    gEntryPoints[i] = vcl::FindEntryPoint(library, kEntryPointNames[i]);
    all = all && gEntryPoints[i] != nullptr;
  }
  WDMBound = all;
}

int GetNumCards() {
  if (!WDMBound) return 0;
  using TGetNumCards = int (*)();
  return reinterpret_cast<TGetNumCards>(gEntryPoints[0])();
}

}  // namespace lllqvrwdm
