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
  vcl::Application->CreateForm(MainForm);
  vcl::Application->Run();
  vcl::Application->Shutdown();
  return 0;
}
