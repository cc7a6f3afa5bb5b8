#include "image/check_hash_look_ahead.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <list>
#include <mutex>

#include "image/check_hash_module.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

// How often a wait for a verdict looks at the cancel flag.
constexpr auto kCancelPoll = std::chrono::milliseconds(20);

bool CancelRequested() { return g_bCancel.load(std::memory_order_relaxed) != 0; }

CheckHashLookAhead* g_activeLookAhead = nullptr;

}  // namespace

struct CheckHashLookAhead::Shared {
  struct Job {
    int entry = 0;
    std::filesystem::path photo;
    bool started = false;
    std::optional<std::int32_t> verdict;
  };

  std::mutex mutex;
  std::condition_variable work;  // a job was queued, or the workers are to stop
  std::condition_variable done;  // the verdict that the walk waits for came
  std::list<Job> jobs;           // in the order they are to be started; taken ones leave
  bool stopping = false;
  int busyWorkers = 0;
  std::optional<std::list<Job>::iterator> awaited;  // the job whose verdict the walk waits for
  CheckHashValueFunction function = nullptr;        // taken once, so workers never read the global

  // Whether nothing is under way for the job: it is past the end, not started, or has its
  // verdict.
  bool Settled(std::list<Job>::iterator job) const {
    return job == jobs.end() || !job->started || job->verdict;
  }

  // Runs on a worker: starts the first job not yet started, until stopped or cancelled. Every
  // call starts only after a look at the cancel flag, so that after a cancel at most the calls
  // already under way finish.
  void Work() {
    std::unique_lock lock(mutex);
    for (;;) {
      auto job = jobs.end();
      work.wait(lock, [&] {
        job = std::find_if(jobs.begin(), jobs.end(), [](const Job& j) { return !j.started; });
        return stopping || job != jobs.end();
      });
      if (stopping || CancelRequested()) return;
      job->started = true;
      const std::filesystem::path photo = job->photo;
      ++busyWorkers;
      lock.unlock();
      const std::int32_t verdict = CallCheckHashValue(function, photo);
      lock.lock();
      --busyWorkers;
      // The job stays in the list until it is taken or dropped, so the iterator is still valid.
      job->verdict = verdict;
      // The walk is woken once its verdict came and the call after it, if one is under way,
      // came too: it then checks two entries for one wake, and each wake costs the core that
      // a worker hashes on.
      if (awaited && (*awaited)->verdict && Settled(std::next(*awaited))) done.notify_one();
    }
  }
};

CheckHashLookAhead::CheckHashLookAhead(int workers) : m_shared(std::make_shared<Shared>()) {
  m_shared->function = g_pfnCheckHashValue;
  for (int i = 0; i < std::max(workers, 1); ++i) {
    m_workers.emplace_back([shared = m_shared] { shared->Work(); });
  }
  g_activeLookAhead = this;
}

CheckHashLookAhead::~CheckHashLookAhead() {
  g_activeLookAhead = nullptr;
  bool callUnderWay = false;
  {
    std::lock_guard lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->jobs.remove_if([](const Shared::Job& job) { return !job.started; });
    callUnderWay = m_shared->busyWorkers > 0;
  }
  m_shared->work.notify_all();
  for (std::thread& worker : m_workers) {
    // Idle workers end at once; one in a library call keeps the shared state alive until then.
    if (callUnderWay) {
      worker.detach();
    } else {
      worker.join();
    }
  }
}

void CheckHashLookAhead::Submit(int entry, const std::filesystem::path& photo) {
  {
    std::lock_guard lock(m_shared->mutex);
    m_shared->jobs.push_back({entry, photo, false, std::nullopt});
  }
  m_shared->work.notify_one();
}

void CheckHashLookAhead::DropUpTo(int entry) {
  std::lock_guard lock(m_shared->mutex);
  // A started job is only forgotten: its worker writes into the list element, so that one
  // stays until its verdict came.
  m_shared->jobs.remove_if([entry](const Shared::Job& job) {
    return job.entry <= entry && (!job.started || job.verdict);
  });
}

std::optional<std::int32_t> CheckHashLookAhead::Take(const std::filesystem::path& photo) {
  std::unique_lock lock(m_shared->mutex);
  auto& jobs = m_shared->jobs;
  auto job = std::find_if(jobs.begin(), jobs.end(),
                          [&](const Shared::Job& j) { return j.photo == photo && j.entry >= 0; });
  if (job == jobs.end()) {
    // Not foreseen (a drawing checked as a photo): the next one a worker starts.
    job = jobs.insert(
        std::find_if(jobs.begin(), jobs.end(), [](const Shared::Job& j) { return !j.started; }),
        {0, photo, false, std::nullopt});
    m_shared->work.notify_one();
  }
  // Taken: no later Take finds it again, and DropUpTo leaves it to this wait.
  job->entry = -1;
  m_shared->awaited = job;
  while (!job->verdict) {
    if (CancelRequested()) {
      m_shared->awaited.reset();
      if (!job->started) jobs.erase(job);
      return std::nullopt;
    }
    m_shared->done.wait_for(lock, kCancelPoll);
  }
  m_shared->awaited.reset();
  const std::int32_t verdict = *job->verdict;
  jobs.erase(job);
  return verdict;
}

int CheckHashLookAhead::DefaultWorkerCount() {
  if (const char* text = std::getenv("KESTROVA_CHECK_HASH_THREADS")) {
    const int count = std::atoi(text);
    if (count > 0) return count;
  }
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

std::optional<std::int32_t> CheckHashVerdict(const std::filesystem::path& photo) {
  if (g_activeLookAhead) return g_activeLookAhead->Take(photo);
  return CallCheckHashValue(g_pfnCheckHashValue, photo);
}

}  // namespace kestrova
