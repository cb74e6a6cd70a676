// kivo-sim's controller: its options, its answers to frames, and the faults
// it injects.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "terminal/link/lineFrame.h"
#include "tools/kivo-sim/controller.h"
#include "tools/kivo-sim/replyWait.h"
#include "tools/kivo-sim/timing.h"

namespace {

int parse(std::vector<std::string> args, SimOptions* o, std::string* error = nullptr) {
  args.insert(args.begin(), "kivo-sim");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  std::string ignored;
  return parseSimOptions(static_cast<int>(argv.size()), argv.data(), o, error ? error : &ignored);
}

TEST(SimOptions, ValuesAndMistakes) {
  SimOptions o;
  ASSERT_EQ(parse({"--device", "/dev/ttyUSB0", "--reject", "2,5,9", "--reject-rate", "0.25", "--seed", "7",
                   "--baud", "115200", "--latency", "30", "--verbose", "--corrupt-out", "1", "--stray-ready",
                   "--timing"},
                  &o),
            1);
  EXPECT_TRUE(o.strayReady);
  EXPECT_TRUE(o.timing);
  EXPECT_EQ(o.device, "/dev/ttyUSB0");
  EXPECT_EQ(o.rejectFrames, (std::vector<long>{2, 5, 9}));
  EXPECT_DOUBLE_EQ(o.rejectRate, 0.25);
  EXPECT_EQ(o.seed, 7u);
  EXPECT_EQ(o.baud, 115200);
  EXPECT_EQ(o.latencyMs, 30);
  EXPECT_EQ(o.verbosity, 2);
  EXPECT_DOUBLE_EQ(o.corruptOut, 1);
  EXPECT_EQ(parse({"--help"}, &o), 2);
  std::string error;
  EXPECT_EQ(parse({"--reject", "2,,3"}, &o, &error), 0);
  EXPECT_EQ(error, "bad value for --reject: 2,,3");
  EXPECT_EQ(parse({"--reject", "0"}, &o), 0);
  EXPECT_EQ(parse({"--noise", "1.5"}, &o), 0);
  EXPECT_EQ(parse({"--drop-in", "-0.1"}, &o), 0);
  EXPECT_EQ(parse({"--latency", "10ms"}, &o), 0);
  EXPECT_EQ(parse({"--ready-period", "0"}, &o), 0);
  EXPECT_EQ(parse({"--record"}, &o, &error), 0);
  EXPECT_EQ(error, "--record needs a value");
  EXPECT_EQ(parse({"--fast"}, &o, &error), 0);
  EXPECT_EQ(error, "--fast needs a value");
  EXPECT_EQ(parse({"--fast", "1"}, &o, &error), 0);
  EXPECT_EQ(error, "unknown option --fast");
}

class SimFrames : public ::testing::Test {
 protected:
  SimController sim;
  SimOptions options;
  void start() { simInit(&sim, options); }
  // Replies to the bytes, joined; accepted lines collected.
  std::string feed(const std::string& bytes, std::vector<std::string>* accepted = nullptr) {
    SimEvents events;
    simReceive(&sim, bytes.data(), bytes.size(), &events);
    std::string out;
    for (const SimReply& r : events.replies) out += r.bytes;
    if (accepted) *accepted = events.accepted;
    return out;
  }
};

TEST_F(SimFrames, IntactFramesAreTakenOthersRejected) {
  options.latencyMs = 40;
  start();
  std::vector<std::string> accepted;
  SimEvents events;
  std::string frame = lineFrame("g1x5");
  simReceive(&sim, frame.data(), frame.size(), &events);
  ASSERT_EQ(events.replies.size(), 2u);
  EXPECT_EQ(events.replies[0].bytes, "k");
  EXPECT_EQ(events.replies[0].delayMs, 0);
  EXPECT_EQ(events.replies[1].bytes, "ready\r\n");
  EXPECT_EQ(events.replies[1].delayMs, 40);
  EXPECT_EQ(events.accepted, std::vector<std::string>{"g1x5"});
  // A frame in pieces, two in one read, a bad checksum, a bare line feed.
  EXPECT_EQ(feed(lineFrame("").substr(0, 1)), "");
  EXPECT_EQ(feed("\n" + lineFrame("m105"), &accepted), "kready\r\nkready\r\n");
  EXPECT_EQ(accepted, (std::vector<std::string>{"", "m105"}));
  EXPECT_EQ(feed("\x10g1x5\n"), "?");
  EXPECT_EQ(feed("\n"), "?");
  EXPECT_EQ(sim.frames, 5);
  EXPECT_EQ(sim.lines, 3);
  EXPECT_EQ(sim.rejected, 2);
}

TEST_F(SimFrames, InjectedAnswers) {
  options.rejectFrames = {2};
  options.errorAt = 2;
  options.overflowAt = 3;
  options.silentFrom = 5;
  start();
  std::string frame = lineFrame("g0z5");
  EXPECT_EQ(feed(frame), "kready\r\n");
  EXPECT_EQ(feed(frame), "?");
  EXPECT_EQ(feed(frame), "kerror: line 2\r\n");
  EXPECT_EQ(feed(frame), "k" + std::string(SIM_OVERFLOW_BYTES, '#'));
  EXPECT_TRUE(simMaySendIdleReady(&sim));
  EXPECT_EQ(feed(frame), "");
  EXPECT_FALSE(simMaySendIdleReady(&sim));
}

TEST_F(SimFrames, AStrayReadyFollowsEveryRejectionInTheSameWrite) {
  options.rejectFrames = {2};
  options.strayReady = true;
  start();
  std::string frame = lineFrame("g0z5");
  EXPECT_EQ(feed(frame), "kready\r\n");
  SimEvents events;
  simReceive(&sim, frame.data(), frame.size(), &events);
  ASSERT_EQ(events.replies.size(), 2u);
  EXPECT_EQ(events.replies[0].bytes + events.replies[1].bytes, "?ready\r\n");
  EXPECT_EQ(events.replies[1].delayMs, 0);  // due with the rejection: one write
  EXPECT_EQ(feed("\x10g1x5\n"), "?ready\r\n");
}

TEST_F(SimFrames, NoiseNeverLooksLikeReadyOrError) {
  options.noise = 1;
  options.seed = 11;
  start();
  std::string frame = lineFrame("g0z5");
  for (int i = 0; i < 200; ++i) {
    std::string out = feed(frame);
    ASSERT_EQ(out.substr(0, 1), "k");
    ASSERT_EQ(out.substr(out.size() - 7), "ready\r\n");
    std::string noise = out.substr(1, out.size() - 8);
    ASSERT_GE(noise.size(), 6u);
    EXPECT_NE(noise[0], 'r');
    EXPECT_EQ(noise.find("rror"), std::string::npos);
    EXPECT_EQ(noise.substr(noise.size() - 2), "\r\n");
    EXPECT_EQ(noise.find_first_of("\r\n"), noise.size() - 2);
  }
}

TEST_F(SimFrames, RandomRejectionsFollowTheSeed) {
  options.rejectRate = 0.3;
  options.seed = 5;
  start();
  std::string frame = lineFrame("g0z5"), first;
  for (int i = 0; i < 300; ++i) first += feed(frame)[0];
  simInit(&sim, options);
  std::string again;
  for (int i = 0; i < 300; ++i) again += feed(frame)[0];
  EXPECT_EQ(first, again);
  size_t rejected = std::count(first.begin(), first.end(), '?');
  EXPECT_GT(rejected, 60u);
  EXPECT_LT(rejected, 120u);
}

TEST_F(SimFrames, AFrameThatStopsOrNeverEndsIsRejected) {
  start();
  SimEvents events;
  simFrameTimeout(&sim, &events);
  EXPECT_TRUE(events.replies.empty());  // nothing was arriving
  EXPECT_EQ(feed("\x25G1 X"), "");
  simFrameTimeout(&sim, &events);
  ASSERT_EQ(events.replies.size(), 1u);
  EXPECT_EQ(events.replies[0].bytes, "?");
  EXPECT_TRUE(simMaySendIdleReady(&sim));
  EXPECT_EQ(feed(std::string(SIM_MAX_FRAME + 1, 'x')), "?");
  EXPECT_EQ(feed(lineFrame("G1 X5")), "kready\r\n");
}

TEST_F(SimFrames, ChannelFaults) {
  const std::string bytes = "kready\r\n\x25G1 X5\n";
  start();
  EXPECT_EQ(simChannelOut(&sim, bytes), bytes);
  options.dropIn = 1;
  options.corruptOut = 1;
  start();
  EXPECT_EQ(simChannelIn(&sim, bytes.data(), bytes.size()), "");
  std::string corrupt = simChannelOut(&sim, bytes);
  ASSERT_EQ(corrupt.size(), bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned flipped = static_cast<unsigned char>(corrupt[i] ^ bytes[i]);
    EXPECT_TRUE(flipped && !(flipped & (flipped - 1))) << i;  // exactly one bit
  }
  options.dropIn = 0.5;
  options.corruptOut = 0;
  start();
  std::string many(1000, 'x');
  size_t kept = simChannelIn(&sim, many.data(), many.size()).size();
  EXPECT_GT(kept, 400u);
  EXPECT_LT(kept, 600u);
}

// The --timing report: parts of the cycles and the line's share of them.
TEST(SimTimingReport, SpreadsAndTheLinesShare) {
  SimTiming timing;
  EXPECT_EQ(simTimingReport(timing), "timing: no answered frame was followed by another\n");
  // 200 cycles: the line's time 1000 to 1995 us, one late write of 5 ms and
  // two of 500 us, the terminal's turn 40 us.
  for (int i = 0; i < 200; ++i) simTimingAdd(&timing, 1000 + 5 * i, i == 199 ? 5000 : i >= 197 ? 500 : 10, 40);
  std::string report = simTimingReport(timing);
  EXPECT_NE(report.find("timing of 200 frames"), std::string::npos) << report;
  EXPECT_NE(report.find("median   1500.0  mean   1497.5  p90   1900.0  p99   1990.0  max    1995.0 us"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("median     10.0  mean     39.9  p90     10.0  p99    500.0  max    5000.0 us"),
            std::string::npos)
      << report;
  // 299,500 of 299,500 + 7,970 + 8,000 us.
  EXPECT_NE(report.find("the line's own time is 94.9 %"), std::string::npos) << report;

  SimTiming unpaced;
  simTimingAdd(&unpaced, 0, 20, 60);
  report = simTimingReport(unpaced);
  EXPECT_NE(report.find("the line is not paced"), std::string::npos) << report;
  EXPECT_EQ(report.find("own time is"), std::string::npos) << report;
}

// The wait before a reply on a paced line: asleep until shortly before it is
// due, then on the clock, and never in a busy loop once it is overdue.
TEST(SimReplyWait, SleepsThenWatchesTheClockThenWaitsForRoom) {
  using std::chrono::microseconds;
  SimClock::time_point now{microseconds(1000000)};
  SimClock::time_point later = now + microseconds(50000);  // the frame time-out, the repeated ready

  SimWait idle = simReplyWait(false, now, now, later);
  EXPECT_EQ(idle.kind, SIM_WAIT_INPUT);
  EXPECT_TRUE(idle.until == later);

  SimClock::time_point due = now + microseconds(2000);
  SimWait far = simReplyWait(true, now, due, later);
  EXPECT_EQ(far.kind, SIM_WAIT_INPUT);
  EXPECT_TRUE(far.until == due - SIM_SPIN_NS);
  // Another duty that comes first wakes the simulator first.
  SimWait sooner = simReplyWait(true, now, due, now + microseconds(500));
  EXPECT_EQ(sooner.kind, SIM_WAIT_INPUT);
  EXPECT_TRUE(sooner.until == now + microseconds(500));

  SimWait near = simReplyWait(true, due - SIM_SPIN_NS, due, later);
  EXPECT_EQ(near.kind, SIM_WAIT_SPIN);
  EXPECT_TRUE(near.until == due);
  SimWait justBefore = simReplyWait(true, due - SIM_SPIN_NS - microseconds(1), due, later);
  EXPECT_EQ(justBefore.kind, SIM_WAIT_INPUT);

  for (SimClock::time_point at : {due, due + microseconds(300)}) {
    SimWait overdue = simReplyWait(true, at, due, later);
    EXPECT_EQ(overdue.kind, SIM_WAIT_ROOM);
    EXPECT_TRUE(overdue.until == later);
  }
}

}  // namespace
