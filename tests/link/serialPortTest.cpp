// The serial port layer on a real line: two COM ports that are the two ends
// of one pseudo-terminal pair (comPort.sh pair), the port under test on A
// and the controller's end on B.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "terminal/link/serialPort.h"
#include "tests/link/linkWinTest.h"

namespace {

using namespace linktest;

TEST(SerialPort, OpenPortSets115200_8N1AndKeepsTheOtherSettings) {
  // Leave the line in other settings first.
  HANDLE port = CreateFileA(portA().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(port, INVALID_HANDLE_VALUE);
  DCB before = commState(port);
  before.BaudRate = CBR_9600;
  before.ByteSize = 7;
  before.Parity = EVENPARITY;
  before.StopBits = TWOSTOPBITS;
  before.fOutxCtsFlow = TRUE;
  before.fOutxDsrFlow = TRUE;
  before.fRtsControl = RTS_CONTROL_DISABLE;
  before.fDtrControl = DTR_CONTROL_ENABLE;
  before.fOutX = TRUE;
  before.XonChar = 0x11;
  before.XoffChar = 0x13;
  ASSERT_TRUE(SetCommState(port, &before));
  before = commState(port);
  CloseHandle(port);

  port = OpenPort(portA().c_str());
  ASSERT_NE(port, INVALID_HANDLE_VALUE);
  DCB after = commState(port);
  CloseHandle(port);
  EXPECT_EQ(after.BaudRate, static_cast<DWORD>(CBR_115200));
  EXPECT_EQ(after.ByteSize, 8);
  EXPECT_EQ(after.Parity, NOPARITY);
  EXPECT_EQ(after.StopBits, ONESTOPBIT);
  EXPECT_FALSE(after.fOutxCtsFlow);
  EXPECT_FALSE(after.fOutxDsrFlow);
  // Everything else as the driver reported it.
  EXPECT_EQ(after.fRtsControl, before.fRtsControl);
  EXPECT_EQ(after.fDtrControl, before.fDtrControl);
  EXPECT_EQ(after.fOutX, before.fOutX);
  EXPECT_EQ(after.fInX, before.fInX);
  EXPECT_EQ(after.XonChar, before.XonChar);
  EXPECT_EQ(after.XoffChar, before.XoffChar);
  EXPECT_EQ(after.fBinary, before.fBinary);
}

TEST(SerialPort, ProbesAndOpensOnlyPortsThatExist) {
  EXPECT_TRUE(canOpenPort(portA().c_str()));
  EXPECT_TRUE(canOpenPort(portB().c_str()));
  EXPECT_FALSE(canOpenPort("\\\\.\\COM97"));
  EXPECT_EQ(OpenPort("\\\\.\\COM97"), INVALID_HANDLE_VALUE);
}

TEST(SerialPort, BytesWaitingCountsTheInputQueue) {
  Line line;
  ASSERT_TRUE(line.open());
  EXPECT_EQ(BytesWaiting(line.a), 0);
  line.controllerWrites("ready\r\n");
  EXPECT_TRUE(waitUntil([&] { return BytesWaiting(line.a) == 7; }));
  char bytes[8] = "";
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(line.a, bytes, 2, &got, nullptr));
  EXPECT_EQ(std::string(bytes, got), "re");
  EXPECT_EQ(BytesWaiting(line.a), 5);
  // A port that cannot be asked is reported, not taken for an empty one.
  EXPECT_EQ(BytesWaiting(INVALID_HANDLE_VALUE), -1);
  EXPECT_EQ(BytesWaiting(nullptr), -1);
}

TEST(SerialPort, TheRunsPortWaitsForInputAndKeepsItsOrder) {
  Line line;
  ASSERT_TRUE(line.open());
  RunPort run = newRunPort(line.a);
  LinkPort port = runLinkPort(&run);

  EXPECT_EQ(port.bytesWaiting(port.context, 0), 0);  // only asks
  DWORD start = GetTickCount();
  EXPECT_EQ(port.bytesWaiting(port.context, 60), 0);  // nothing comes
  EXPECT_GE(GetTickCount() - start, 40u);

  // A wait returns when the first byte comes, long before its time is up.
  std::thread controller([&] {
    Sleep(100);
    line.controllerWrites("k");
    Sleep(50);
    line.controllerWrites("ready\r\n");
  });
  start = GetTickCount();
  EXPECT_GE(port.bytesWaiting(port.context, 5000), 1);
  EXPECT_LT(GetTickCount() - start, 2000u);
  char byte = 0;
  EXPECT_EQ(port.read(port.context, &byte, 1), 1);
  EXPECT_EQ(byte, 'k');
  EXPECT_TRUE(waitUntil([&] { return port.bytesWaiting(port.context, 100) == 7; }));
  controller.join();
  // The byte the wait took comes first, then the rest as it arrived.
  char answer[16] = "";
  EXPECT_EQ(port.read(port.context, answer, 3), 3);
  EXPECT_EQ(port.read(port.context, answer + 3, 16), 4);
  EXPECT_EQ(std::string(answer, 7), "ready\r\n");
  EXPECT_EQ(port.bytesWaiting(port.context, 0), 0);
  EXPECT_EQ(port.read(port.context, answer, 16), 0);  // nothing waits: nothing read, no wait

  // Writes reach the controller whole; an empty write is no failure.
  EXPECT_EQ(port.write(port.context, "\x25G1 X5\n", 7), 1);
  EXPECT_EQ(port.write(port.context, "", 0), 1);
  EXPECT_EQ(line.controllerReads(7), "\x25G1 X5\n");
}

// The wait takes everything that came with the first byte in the same
// wake-up; bytes that come while some are held count with them and follow
// them in order.
TEST(SerialPort, AWaitTakesTheWholeAnswerAtOnce) {
  Line line;
  ASSERT_TRUE(line.open());
  RunPort run = newRunPort(line.a);
  LinkPort port = runLinkPort(&run);
  line.controllerWrites("kready\r\n");
  ASSERT_TRUE(waitUntil([&] { return BytesWaiting(line.a) == 8; }));
  EXPECT_EQ(port.bytesWaiting(port.context, 1000), 8);
  EXPECT_EQ(BytesWaiting(line.a), 0);

  line.controllerWrites("ok\r\n");
  EXPECT_TRUE(waitUntil([&] { return port.bytesWaiting(port.context, 0) == 12; }));
  char bytes[16] = "";
  EXPECT_EQ(port.read(port.context, bytes, 1), 1);
  EXPECT_EQ(bytes[0], 'k');
  EXPECT_EQ(port.read(port.context, bytes, 16), 7);
  EXPECT_EQ(std::string(bytes, 7), "ready\r\n");
  EXPECT_EQ(port.bytesWaiting(port.context, 1000), 4);
  EXPECT_EQ(port.read(port.context, bytes, 16), 4);
  EXPECT_EQ(std::string(bytes, 4), "ok\r\n");
  EXPECT_EQ(port.bytesWaiting(port.context, 0), 0);
}

}  // namespace
