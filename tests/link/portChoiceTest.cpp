// The port dialog's choices against a stand-in of the ports: which names are
// probed, which are offered, their order, and the preselection.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "terminal/link/portChoice.h"

namespace {

// Ports that exist, and those another program holds (they cannot be opened
// exclusively); every probe is noted.
struct FakePorts {
  std::set<std::string> present, held;
  std::vector<std::string> probed;
};

bool fakeCanOpen(void* context, const char* name) {
  FakePorts* ports = static_cast<FakePorts*>(context);
  ports->probed.push_back(name);
  return ports->present.count(name) && !ports->held.count(name);
}

std::vector<std::string> offered(FakePorts* ports) { return availablePorts(PortProbe{ports, fakeCanOpen}); }

const std::string COM1 = "\\\\.\\COM1", COM2 = "\\\\.\\COM2", COM10 = "\\\\.\\COM10";

TEST(PortChoice, ProbesCom0ToCom99InOrder) {
  FakePorts ports;
  offered(&ports);
  ASSERT_EQ(ports.probed.size(), 100u);
  EXPECT_EQ(ports.probed.front(), "\\\\.\\COM0");
  EXPECT_EQ(ports.probed.back(), "\\\\.\\COM99");
}

TEST(PortChoice, OffersOnlyPortsThatOpenInTextOrder) {
  FakePorts ports;
  ports.present = {COM2, COM10, COM1, "\\\\.\\COM0", "\\\\.\\COM100", "\\\\.\\COM5"};
  ports.held = {"\\\\.\\COM5"};  // taken by another program
  EXPECT_EQ(offered(&ports), (std::vector<std::string>{"\\\\.\\COM0", COM1, COM10, COM2}));

  ports.present.clear();
  EXPECT_TRUE(offered(&ports).empty());
}

TEST(PortChoice, PreselectsTheRememberedPortElseTheFirst) {
  std::vector<std::string> list = {COM1, COM10, COM2};
  EXPECT_EQ(preselectedPort(list, nullptr), 0);
  EXPECT_EQ(preselectedPort(list, COM2.c_str()), 2);
  EXPECT_EQ(preselectedPort(list, "\\\\.\\com2"), 2);  // case ignored
  EXPECT_EQ(preselectedPort(list, "\\\\.\\COM7"), 0);  // gone: the first entry
  EXPECT_EQ(preselectedPort({}, COM1.c_str()), -1);
  // A remembered COM1 that has gone selects COM10, whose name begins with it.
  EXPECT_EQ(preselectedPort({COM2, COM10}, COM1.c_str()), 1);
  // A longer remembered name matches no shorter entry.
  EXPECT_EQ(preselectedPort({COM2, COM1}, COM10.c_str()), 0);
}

}  // namespace
