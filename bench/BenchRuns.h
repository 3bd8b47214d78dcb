#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "Baselines.h"
#include "BenchPlatform.h"
#include "platform/Platform.h"
#include "support/TestPlatform.h"

// Runs the windows' real search handlers for the benchmark, timing them and
// checking after every run what a user would have seen.

double median(std::vector<double> v);

// The outside world of the windows: scripted answers, a printer that drops
// its jobs, and the tests' fakes for what a search never touches.
struct BenchWorld {
  BenchDialogs dialogs;
  DroppingSink sink;
  PrintDocument printer{sink};
  FixedClock clock;
  FakeHelpEngine help;
  FakeRegistry registry;
  FakeLauncher launcher;
  SystemFileIoFactory files;
  QuietHost host;
  MemorySettings settings;
  Platform platform() { return Platform{dialogs, printer, clock, help, registry, launcher, files, settings}; }
};

struct Timed {
  double seconds = 0;  // median
  double titlePushesPerSecond = 0;
  double serverUpdatesPerSecond = -1;  // -1: not measured
};

class Bench {
 public:
  explicit Bench(int repeats) : m_repeats(repeats) {}

  template <typename F>
  baseline::Result base(F scan) {
    std::vector<double> times;
    baseline::Result r;
    for (int i = 0; i < m_repeats; ++i) {
      r = scan();
      if (!r.ok) fail(QStringLiteral("a baseline could not read the catalogue"));
      times.push_back(r.seconds);
    }
    r.seconds = median(times);
    return r;
  }

  // Two scans taken in turns, so that both meet the same load on the machine.
  template <typename F, typename G>
  std::pair<baseline::Result, baseline::Result> paired(F first, G second) {
    std::vector<double> firstTimes, secondTimes;
    std::pair<baseline::Result, baseline::Result> r;
    for (int i = 0; i < m_repeats; ++i) {
      r = {first(), second()};
      if (!r.first.ok || !r.second.ok) fail(QStringLiteral("a baseline could not read the catalogue"));
      firstTimes.push_back(r.first.seconds);
      secondTimes.push_back(r.second.seconds);
    }
    r.first.seconds = median(firstTimes);
    r.second.seconds = median(secondTimes);
    return r;
  }

  // Runs the handler `repeats` times on a shown or hidden window, timing
  // each run from the click to the handler's return.
  Timed window(QWidget& w, const std::function<void()>& handler, const std::function<void()>& check);

  void expect(bool ok, const QString& what) {
    if (!ok) fail(what);
  }
  void fail(const QString& what);
  bool failed() const { return m_failed; }

 private:
  int m_repeats;
  bool m_failed = false;
};

struct Searches {
  Timed notFound, allNo, page;
  Timed forgivingNotFound, forgivingPage;  // the same with the forgiving search on
};

// The marker as a student types it, for the forgiving searches.
QString typedMarker();

// The record window's title searches (notfound, allno) and the page window's
// author-title search (page) on the catalogue in the working directory, the
// nothing-found and the page search also with the forgiving search on; `only`
// empty runs them all. A negative expected count is not checked (a profiling
// run measures no baselines).
void runRecordWindow(Bench& bench, BenchWorld& world, const QString& only, long long titleMatches, Searches& out);
void runPageWindow(Bench& bench, BenchWorld& world, const QString& only, long long matches, Searches& out);
