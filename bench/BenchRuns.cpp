#include "BenchRuns.h"

#include <QGuiApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "CaptionWatch.h"
#include "CatalogueGenerator.h"
#include "page_window/frmMulti.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

Timed Bench::window(QWidget& w, const std::function<void()>& handler, const std::function<void()>& check) {
  CaptionWatch watch(w);
  const bool spying = watch.startServerSpy();
  std::vector<double> times;
  double total = 0;
  for (int i = 0; i < m_repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    handler();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    times.push_back(s);
    total += s;
    check();
    // Back in the event loop, as after any click: what the window system
    // sent meanwhile (the property changes of every caption) is handled.
    QTest::qWait(100);
  }
  Timed t;
  t.seconds = median(times);
  t.titlePushesPerSecond = double(watch.titleChanges()) / total;
  if (spying) t.serverUpdatesPerSecond = double(watch.stopServerSpy()) / total;
  return t;
}

void Bench::fail(const QString& what) {
  std::printf("CHECK FAILED: %s\n", qPrintable(what));
  m_failed = true;
}

namespace {

void showFor(QWidget& w) {
  if (QGuiApplication::platformName() != u"xcb"_s) return;
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) std::printf("warning: window not exposed\n");
}

}  // namespace

QString typedMarker() { return u"λαβύρινθος"_s; }

void runRecordWindow(Bench& bench, BenchWorld& world, const QString& only, long long titleMatches, Searches& out) {
  if (!only.isEmpty() && only != u"notfound"_s && only != u"allno"_s) return;
  frmZelkor w(world.platform(), Edition::librarian(), world.host);
  w.Form_Load();
  showFor(w);
  const QString loadedCaption = w.windowTitle();

  if (only.isEmpty() || only == u"notfound"_s) {
    world.dialogs.typeNext(benchgen::absentText());
    const auto fruitless = [&] {
      return bench.window(
          w, [&] { world.dialogs.reset(), w.cmdFindTitle_Click(); },
          [&] {
            bench.expect(world.dialogs.questions == 0 && world.dialogs.notices == 1 &&
                             world.dialogs.lastNotice == u"Το Κείμενο "_s + benchgen::absentText() + u" δεν Βρέθηκε"_s,
                         u"the record window's fruitless search did not end with its not-found message"_s);
            bench.expect(w.windowTitle() == loadedCaption,
                         u"after a fruitless search the caption is not the record caption again"_s);
          });
    };
    out.notFound = fruitless();
    world.settings.forgiving = true;
    out.forgivingNotFound = fruitless();
    world.settings.forgiving = false;
  }
  if (only.isEmpty() || only == u"allno"_s) {
    world.dialogs.typeNext(benchgen::marker());
    out.allNo = bench.window(
        w, [&] { world.dialogs.reset(), w.cmdFindTitle_Click(); },
        [&] {
          bench.expect((titleMatches < 0 || world.dialogs.questions == titleMatches) && world.dialogs.notices == 1 &&
                           world.dialogs.lastNotice == u"Δεν Υπάρχει Άλλη Όμοια Εγγραφή"_s,
                       u"the record window's search did not ask once per match"_s);
        });
  }
  bench.expect(!world.host.ended, u"the record window ended the program"_s);
}

void runPageWindow(Bench& bench, BenchWorld& world, const QString& only, long long matches, Searches& out) {
  if (!only.isEmpty() && only != u"page"_s) return;
  frmMulti m(world.platform(), Edition::librarian(), world.host);
  m.Form_Load();
  showFor(m);
  const auto pageSearch = [&](const QString& typed) {
    world.dialogs.typeNext(typed);
    return bench.window(
        m, [&] { world.dialogs.reset(), m.mnuAuthorTitle_Click(); },
        [&] {
          bench.expect(
              (matches < 0 || world.dialogs.questions == matches / frmMulti::kRows + 1) && world.dialogs.notices == 0,
              u"the page search did not ask once per full page and once for the last records"_s);
          bench.expect(m.windowTitle() == u"Σ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s,
                       u"after the page search the caption is not the page caption"_s);
        });
  };
  out.page = pageSearch(benchgen::marker());
  world.settings.forgiving = true;
  out.forgivingPage = pageSearch(typedMarker());
  world.settings.forgiving = false;
  bench.expect(!world.host.ended, u"the page window ended the program"_s);
}
