#include "terminal/link/portChoice.h"

#include <algorithm>
#include <cctype>

namespace {

int _lower(char c) { return std::tolower(static_cast<unsigned char>(c)); }

bool _textBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return _lower(x) < _lower(y); });
}

bool _beginsWith(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || _lower(text[i]) != _lower(prefix[i])) return false;
  return true;
}

}  // namespace

std::string portDeviceName(int number) { return "\\\\.\\COM" + std::to_string(number); }

std::vector<std::string> availablePorts(const PortProbe& probe) {
  std::vector<std::string> ports;
  for (int i = 0; i < PORT_NUMBERS; ++i) {
    std::string name = portDeviceName(i);
    if (probe.canOpen(probe.context, name.c_str())) ports.push_back(name);
  }
  std::stable_sort(ports.begin(), ports.end(), _textBefore);
  return ports;
}

int preselectedPort(const std::vector<std::string>& ports, const char* remembered) {
  if (ports.empty()) return -1;
  if (remembered)
    for (size_t i = 0; i < ports.size(); ++i)
      if (_beginsWith(ports[i], remembered)) return static_cast<int>(i);
  return 0;
}
