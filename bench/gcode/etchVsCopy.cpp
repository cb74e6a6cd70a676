// kivo-etch end to end against cp of its output, in one run: the large
// design is saved as a design file, then kivo-etch writes its program and cp
// copies that program, in turns. Prints the median wall times, the
// generator's MB/s and the ratio of the two times, and the same for the
// processor time the two processes took. Given older kivo-etch
// binaries as arguments, it measures them the same way and says whether
// they write the very same bytes.
//
//   etch_vs_cp [OLD_KIVO_ETCH...]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/gcode/largeDesign.h"
#include "cad/document/designFile.h"

extern char** environ;

namespace {

const int RUNS = 15;

std::string _tempDir() {
  const char* t = getenv("TMPDIR");
  return std::string(t && *t ? t : "/tmp") + "/kivo_etch_vs_cp_" + std::to_string(getpid());
}

// Seconds one run took: on the wall clock, and on the processor (user and
// system time of the process).
struct Times {
  double wall, cpu;
};

// Runs argv; false if it could not be started or failed.
bool _timed(const std::vector<std::string>& args, Times* t) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  auto start = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  t->wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  t->cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double _median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string _readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One kivo-etch binary: its times and those of cp of its output.
struct Subject {
  std::string etch;
  std::vector<double> etchWall, etchCpu, copyWall, copyCpu;
  std::string program;
};

// kivo-etch writes the program, cp copies it; false if either failed.
bool _round(Subject* s, const std::string& design, const std::string& dir) {
  std::string out = dir + "/program.txt", copy = dir + "/copy.txt";
  remove(out.c_str());
  remove(copy.c_str());
  Times e, c;
  if (!_timed({s->etch, design, "-o", out}, &e)) {
    fprintf(stderr, "etch_vs_cp: %s failed\n", s->etch.c_str());
    return false;
  }
  if (!_timed({"/bin/cp", out, copy}, &c)) {
    fprintf(stderr, "etch_vs_cp: cp failed\n");
    return false;
  }
  s->etchWall.push_back(e.wall);
  s->etchCpu.push_back(e.cpu);
  s->copyWall.push_back(c.wall);
  s->copyCpu.push_back(c.cpu);
  if (s->program.empty()) s->program = _readAll(out);
  remove(out.c_str());
  remove(copy.c_str());
  return true;
}

void _print(const Subject& s) {
  double etch = _median(s.etchWall), copy = _median(s.copyWall);
  double etchCpu = _median(s.etchCpu), copyCpu = _median(s.copyCpu);
  printf("%s\n"
         "  wall:      kivo-etch %8.2f ms  %7.1f MB/s   cp of its output %6.2f ms   ratio %.2f\n"
         "  processor: kivo-etch %8.2f ms                cp of its output %6.2f ms   ratio %.2f\n",
         s.etch.c_str(), etch * 1e3, static_cast<double>(s.program.size()) / 1e6 / etch,
         copy * 1e3, etch / copy, etchCpu * 1e3, copyCpu * 1e3, etchCpu / copyCpu);
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = _tempDir();
  if (mkdir(dir.c_str(), 0700) != 0) {
    perror(dir.c_str());
    return 1;
  }
  std::string design = dir + "/large.cnc";
  makeLargeDesign();
  if (!saveToFile(design.c_str())) {
    fprintf(stderr, "etch_vs_cp: cannot save %s\n", design.c_str());
    return 1;
  }
  // The binaries take turns, so that a busy moment of the machine falls on
  // all of them alike.
  std::vector<Subject> subjects(1);
  subjects[0].etch = KIVO_ETCH;
  for (int i = 1; i < argc; i++) subjects.push_back(Subject{argv[i], {}, {}, {}, {}, {}});
  int status = 0;
  for (int run = 0; run < RUNS && status == 0; run++)
    for (auto& s : subjects)
      if (!_round(&s, design, dir)) status = 1;
  if (status == 0) {
    printf("%d objects, program of %zu bytes; medians of %d runs\n", LARGE_DESIGN_OBJECTS,
           subjects[0].program.size(), RUNS);
    for (auto& s : subjects) {
      _print(s);
      if (&s != &subjects[0])
        printf("  same bytes as %s: %s\n", KIVO_ETCH, s.program == subjects[0].program ? "yes" : "NO");
    }
  }
  remove(design.c_str());
  rmdir(dir.c_str());
  return status;
}
