// Program entry: the main window from its form data, then the message loop.
#include <cstdio>

#include "template/MainForm.h"

int main() {
  std::string why;
  if (!vcl::DisplayAvailable(why)) {
    std::fprintf(stderr, "Settings: %s; start it on a desktop, or headless with: xvfb-run -a %s\n",
                 why.c_str(), "build/src/Settings/Settings");
    return 1;
  }
  vcl::Application->Initialize();
  vcl::Application->CreateForm(MainForm);  // a failure has been reported in a message box
  const bool started = MainForm != nullptr;
  vcl::Application->Run();
  vcl::Application->Shutdown();
  return started ? 0 : 1;
}
