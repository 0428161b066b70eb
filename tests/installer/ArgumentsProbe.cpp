// Writes to its standard output what the host makes of this process's command line: the argument count on
// the first line, then each argument from index 0 on a line of its own, in UTF-8.
#include <cstdio>
#include <string>

#include "installer/host/Win32Host.h"

int main() {
  Win32Host host;
  std::string report = std::to_string(host.ParamCount()) + "\n";
  for (int index = 0; index <= host.ParamCount(); ++index)
    report += host.ParamStr(index) + "\n";
  std::fwrite(report.data(), 1, report.size(), stdout);
  return 0;
}
