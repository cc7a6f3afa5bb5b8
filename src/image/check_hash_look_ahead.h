// The tamper-check library's verdicts on the next photos of the photo entry walk, computed ahead
// on worker threads (one per core), so that the library's reading and hashing of every photo
// byte runs on every core while the walk takes the verdicts in entry order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace kestrova {

class CheckHashLookAhead {
 public:
  // Starts the workers; while the object lives, CheckHashVerdict takes its verdicts from here.
  explicit CheckHashLookAhead(int workers);
  // Starts no further call. A worker whose call is under way is left to finish it on its own:
  // a cancelled run does not wait for the library.
  ~CheckHashLookAhead();
  CheckHashLookAhead(const CheckHashLookAhead&) = delete;
  CheckHashLookAhead& operator=(const CheckHashLookAhead&) = delete;

  // Queues the photo (its path as it lies on the medium) of the photo entry with the index.
  void Submit(int entry, const std::filesystem::path& photo);
  // Forgets what was queued for the entries up to the index and not taken.
  void DropUpTo(int entry);

  // The number of workers for a machine: one per core, or the number that the environment
  // variable KESTROVA_CHECK_HASH_THREADS gives.
  static int DefaultWorkerCount();

 private:
  friend std::optional<std::int32_t> CheckHashVerdict(const std::filesystem::path& photo);
  std::optional<std::int32_t> Take(const std::filesystem::path& photo);

  struct Shared;
  std::shared_ptr<Shared> m_shared;
  std::vector<std::thread> m_workers;
};

// The library's verdict on the photo: from the look-ahead when one is active (a photo that was
// not queued is asked next), else asked on this thread. Empty when the run was cancelled before
// the verdict came.
std::optional<std::int32_t> CheckHashVerdict(const std::filesystem::path& photo);

}  // namespace kestrova
