// Which serial ports the port dialog offers, in which order, and which one
// it preselects. Portable: the dialog asks the real port layer, the tests a
// stand-in.
#pragma once

#include <string>
#include <vector>

// Port numbers probed: \\.\COM0 to \\.\COM99.
const int PORT_NUMBERS = 100;

// Device name of port number i: "\\.\COM" and the number in decimal.
std::string portDeviceName(int number);

// Asks whether the named port can be opened for exclusive reading and
// writing right now (and closes it again at once).
struct PortProbe {
  void* context;
  bool (*canOpen)(void* context, const char* name);
};

// The ports that can be opened now, in the order of the dialog's sorted
// list: text order without regard to case, so \\.\COM10 comes before
// \\.\COM2.
std::vector<std::string> availablePorts(const PortProbe& probe);

// Index of the entry to preselect: the first entry that begins with the
// remembered name (case ignored), else the first entry; -1 for an empty
// list. remembered may be null.
int preselectedPort(const std::vector<std::string>& ports, const char* remembered);
