// kivo-etch as users run it: output, exit status, messages, files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cad/document/designFile.h"
#include "cad/document/obj.h"
#include "cad/gcode/generate.h"
#include "tests/support/testFiles.h"

static const std::string TMP = tempPath("etch_cli_");

struct EtchRun {
  int status;
  std::string out, err;
};

namespace {

// Runs kivo-etch with args (already quoted as needed).
EtchRun _etch(const std::string& args) {
  std::string out = TMP + "stdout", err = TMP + "stderr";
  std::string cmd = std::string("'") + KIVO_ETCH + "' " + args + " >'" + out + "' 2>'" + err + "'";
  int raw = system(cmd.c_str());
  EtchRun r = {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
  remove(out.c_str());
  remove(err.c_str());
  return r;
}

std::string _generated(const std::string& design) {
  EXPECT_EQ(loadFromFile(design.c_str()), DESIGN_OK);
  std::string text;
  EXPECT_EQ(etchTo([](void* ctx, const char* d, size_t n) {
              static_cast<std::string*>(ctx)->append(d, n);
              return 1;
            }, &text), 1);
  resetObjs();
  return text;
}

}  // namespace

TEST(EtchCli, WritesTheGeneratorsBytesToAFileOrStandardOutput) {
  for (const char* name : {"mounting-plate", "front-panel", "mixed-shapes"}) {
    std::string design = std::string(KIVO_EXAMPLES) + "/" + name + ".cnc";
    std::string expect = _generated(design);
    ASSERT_GT(expect.size(), 1000u) << name;
    std::string out = TMP + name + ".txt";
    EtchRun r = _etch("'" + design + "' -o '" + out + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(readFile(out) == expect) << name;
    r = _etch("'" + design + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out == expect) << name;
    remove(out.c_str());
  }
}

TEST(EtchCli, HelpAndWrongArguments) {
  EtchRun r = _etch("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("usage: kivo-etch DESIGN.cnc [-o OUT.txt]"), std::string::npos);
  for (const char* args : {"", "-o", "a.cnc b.cnc", "--bogus a.cnc"}) {
    r = _etch(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_NE(r.err.find("kivo-etch: "), std::string::npos) << args;
  }
}

TEST(EtchCli, BadDesignsGiveOneMessageAndNoOutputFile) {
  std::string good = readFile(std::string(KIVO_EXAMPLES) + "/mounting-plate.cnc");
  ASSERT_GT(good.size(), 404u);
  std::string negative = good, tooMany = good;
  int32_t count = -3;
  memcpy(&negative[400], &count, 4);
  count = 1000;
  memcpy(&tooMany[400], &count, 4);
  std::string nan = good;
  double bad = std::nan("");
  memcpy(&nan[404 + 8], &bad, 8);  // x1 of the first object

  struct { const char* name; std::string bytes; const char* problem; } cases[] = {
      {"short.cnc", good.substr(0, 100), "shorter than the 404-byte header"},
      {"negative.cnc", negative, "negative object count"},
      {"toomany.cnc", tooMany, "fewer object records than its count"},
      {"text.cnc", std::string(600, 'x'), "not a design file"},
      {"nan.cnc", nan, "object 1 (rectangle): a coordinate is not a finite number"},
  };
  std::string out = TMP + "never.txt";
  for (auto& c : cases) {
    std::string path = TMP + c.name;
    writeFile(path, c.bytes);
    EtchRun r = _etch("'" + path + "' -o '" + out + "'");
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_EQ(r.err.rfind("kivo-etch: " + path + ": ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(c.problem), std::string::npos) << c.name << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_FALSE(fileExists(out)) << c.name;
    r = _etch("'" + path + "'");
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_EQ(r.out, "") << c.name;
    remove(path.c_str());
  }

  EtchRun r = _etch("'" + TMP + "missing.cnc' -o '" + out + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("missing.cnc: cannot be opened: No such file"), std::string::npos) << r.err;
  EXPECT_FALSE(fileExists(out));

  // An output that cannot be created.
  std::string design = std::string(KIVO_EXAMPLES) + "/mounting-plate.cnc";
  std::string noDir = TMP + "no-dir/out.txt";
  r = _etch("'" + design + "' -o '" + noDir + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(noDir + ": cannot create the output file"), std::string::npos) << r.err;
}

TEST(EtchCli, AFailedWriteLeavesTheNameOfADeviceInPlace) {
  if (!fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  std::string link = TMP + "full.txt";  // stands for /dev/full itself, or /dev/stdout
  remove(link.c_str());
  ASSERT_EQ(symlink("/dev/full", link.c_str()), 0);
  std::string design = std::string(KIVO_EXAMPLES) + "/mounting-plate.cnc";
  EtchRun r = _etch("'" + design + "' -o '" + link + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(link + ": write failed"), std::string::npos) << r.err;
  struct stat st;
  EXPECT_EQ(lstat(link.c_str(), &st), 0) << "the link was removed";
  remove(link.c_str());
}
