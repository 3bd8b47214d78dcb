#include "CaptionWatch.h"

#include <QEvent>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

CaptionWatch::CaptionWatch(QWidget& window) : m_window(window) { m_window.installEventFilter(this); }

CaptionWatch::~CaptionWatch() {
  m_window.removeEventFilter(this);
  stopServerSpy();
}

bool CaptionWatch::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &m_window && event->type() == QEvent::WindowTitleChange) ++m_titleChanges;
  return false;
}

bool CaptionWatch::startServerSpy() {
  if (QGuiApplication::platformName() != u"xcb"_s) return false;
  // Line-buffered, so every change reaches us even while the scan keeps this
  // thread from reading the pipe.
  m_spy.start(u"stdbuf"_s,
              {u"-oL"_s, u"xprop"_s, u"-id"_s, QString::number(m_window.winId()), u"-spy"_s, u"_NET_WM_NAME"_s});
  // The spy's first line is the current name: once it is there, it listens.
  return m_spy.waitForStarted(5000) && m_spy.waitForReadyRead(5000);
}

long long CaptionWatch::stopServerSpy() {
  if (m_spy.state() == QProcess::NotRunning) return 0;
  // Let the spy print the last changes before it goes.
  while (m_spy.waitForReadyRead(200)) {
  }
  m_spy.terminate();
  m_spy.waitForFinished(2000);
  const long long lines = m_spy.readAllStandardOutput().count('\n');
  return lines > 0 ? lines - 1 : 0;
}
