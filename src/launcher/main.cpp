// Settings-realcard: Settings on the real card's ports, the GUI itself unprivileged.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "launcher/RealCardLauncher.h"

extern char** environ;

int main(int argc, char** argv) {
  // Settings lies next to the launcher; no path from the environment is trusted.
  char self[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string();
  dir = dir.substr(0, dir.find_last_of('/') + 1);
  if (dir.empty()) {
    std::fprintf(stderr, "Settings-realcard: cannot tell where it is installed\n");
    return 2;
  }
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  return launcher::Launch(launcher::LinuxSystem(), dir + "Settings", std::vector<std::string>(argv + 1, argv + argc),
                          env, [](const std::string& Line) { std::fprintf(stderr, "%s\n", Line.c_str()); });
}
