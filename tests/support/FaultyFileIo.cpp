#include "support/FaultyFileIo.h"

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

struct FaultyFileIoFactory::State {
  int calls = 0;
  int failAt = 0;  // 0: no fault planned
  int error = 0;
  Repeat repeat = Repeat::Once;
  qint64 shortBytes = -1;  // >= 0: the fault is a short write
  QString failKind;        // not empty: every call whose log line starts so fails after `kindAfter` of them
  int kindAfter = 0;
  int kindCalls = 0;
  bool hit = false;
  QStringList log;

  // Counts a call; true when this one is to fail.
  bool next(const QString& what) {
    ++calls;
    log.append(what);
    const bool ofKind = !failKind.isEmpty() && what.startsWith(failKind);
    if (ofKind) ++kindCalls;
    const bool fails = (ofKind && kindCalls > kindAfter) ||
                       (failAt > 0 && (calls == failAt || (repeat == Repeat::FromThenOn && calls > failAt)));
    if (fails) hit = true;
    return fails;
  }
  void markFailed() { log.last() += u" -> errno %1"_s.arg(error); }
};

namespace {

using State = FaultyFileIoFactory::State;

class FaultyFileIo : public FileIo {
 public:
  explicit FaultyFileIo(std::shared_ptr<State> state) : m_state(std::move(state)), m_inner(makeSystemFileIo()) {}

  bool open(const QString& path, Mode mode) override {
    if (m_state->next(u"open"_s)) return injected();
    return passed(m_inner->open(path, mode));
  }
  void close() override { m_inner->close(); }
  bool isOpen() const override { return m_inner->isOpen(); }

  qint64 readAt(qint64 offset, char* buffer, qint64 length) override {
    if (m_state->next(u"readAt %1 %2"_s.arg(offset).arg(length))) return injectedCount();
    return passed(m_inner->readAt(offset, buffer, length));
  }

  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    if (!m_state->next(u"writeAt %1 %2"_s.arg(offset).arg(length)))
      return passed(m_inner->writeAt(offset, data, length));
    if (m_state->shortBytes < 0 || m_state->calls != m_state->failAt) return injectedCount();
    const qint64 part = std::min(m_state->shortBytes, length);
    const qint64 written = part > 0 ? m_inner->writeAt(offset, data, part) : 0;
    injected();
    return written;
  }

  qint64 size() override {
    if (m_state->next(u"size"_s)) return injectedCount();
    return passed(m_inner->size());
  }
  bool truncate(qint64 length) override {
    if (m_state->next(u"truncate %1"_s.arg(length))) return injected();
    return passed(m_inner->truncate(length));
  }
  bool sync() override {
    if (m_state->next(u"sync"_s)) return injected();
    return passed(m_inner->sync());
  }
  bool stillAt(const QString& path) override { return m_inner->stillAt(path); }
  int permissions() override { return m_inner->permissions(); }
  bool setPermissions(int bits) override { return m_inner->setPermissions(bits); }
  int lastErrno() const override { return m_injectedLast ? m_state->error : m_inner->lastErrno(); }

 private:
  bool injected() {
    m_state->markFailed();
    m_injectedLast = true;
    return false;
  }
  qint64 injectedCount() {
    injected();
    return -1;
  }
  template <typename T>
  T passed(T result) {
    m_injectedLast = false;
    return result;
  }

  std::shared_ptr<State> m_state;
  std::unique_ptr<FileIo> m_inner;
  bool m_injectedLast = false;
};

}  // namespace

FaultyFileIoFactory::FaultyFileIoFactory() : m_state(std::make_shared<State>()) {}

FaultyFileIoFactory::~FaultyFileIoFactory() = default;

void FaultyFileIoFactory::failCall(int n, int error, Repeat repeat) {
  m_state->failAt = n;
  m_state->error = error;
  m_state->repeat = repeat;
  m_state->shortBytes = -1;
}

void FaultyFileIoFactory::shortenWrite(int n, qint64 bytes, int error) {
  failCall(n, error);
  m_state->shortBytes = std::max<qint64>(bytes, 0);
}

void FaultyFileIoFactory::failEvery(Kind kind, int after, int error) {
  failCall(0, error);
  static const QString kNames[] = {u"open"_s, u"readAt"_s, u"writeAt"_s};
  m_state->failKind = kNames[int(kind)];
  m_state->kindAfter = after;
  m_state->kindCalls = 0;
}

void FaultyFileIoFactory::reset() { *m_state = State(); }

int FaultyFileIoFactory::calls() const { return m_state->calls; }

bool FaultyFileIoFactory::faultHit() const { return m_state->hit; }

QStringList FaultyFileIoFactory::log() const { return m_state->log; }

std::unique_ptr<FileIo> FaultyFileIoFactory::make() { return std::make_unique<FaultyFileIo>(m_state); }
