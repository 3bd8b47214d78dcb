#include "transfer/BackgroundJob.h"

#include <utility>

BackgroundJob::~BackgroundJob() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

void BackgroundJob::start(std::function<void()> job) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return !m_job; });
  m_job = std::move(job);
  if (!m_thread.joinable()) m_thread = std::thread(&BackgroundJob::run, this);
  lock.unlock();
  m_changed.notify_all();
}

void BackgroundJob::wait() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return !m_job; });
}

void BackgroundJob::run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_job || m_stopping; });
    if (!m_job) return;
    lock.unlock();
    m_job();
    lock.lock();
    m_job = nullptr;
    m_changed.notify_all();
  }
}
