#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Runs one job at a time in a second thread, so that the caller carries on
// meanwhile. What a job writes is the caller's to read once wait() returns.
class BackgroundJob {
 public:
  BackgroundJob() = default;
  BackgroundJob(const BackgroundJob&) = delete;
  BackgroundJob& operator=(const BackgroundJob&) = delete;
  ~BackgroundJob();  // waits for the job, then ends the thread

  // Waits for the job before, then starts `job`.
  void start(std::function<void()> job);
  // Returns once no job is running.
  void wait();

 private:
  void run();

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::function<void()> m_job;  // set while a job waits or runs
  bool m_stopping = false;
  std::thread m_thread;
};
