// The per-user lock that lets only one desktop program run at a time.
#pragma once

#include <QLockFile>
#include <QString>

namespace kestrova {

class SingleInstanceLock {
 public:
  // Tries to take the lock; Acquired() tells whether it was free.
  SingleInstanceLock();
  bool Acquired() const { return m_acquired; }

  // The lock file: "Kestrovaシステム.lock" in the user's runtime folder (or, without one, a
  // per-user name in the temporary folder).
  static QString LockFilePath();

 private:
  QLockFile m_lock;
  bool m_acquired = false;
};

}  // namespace kestrova
