#include "single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

namespace kestrova {

QString SingleInstanceLock::LockFilePath() {
  const QString name = QStringLiteral("Kestrovaシステム");
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!runtime.isEmpty()) {
    return runtime + QLatin1Char('/') + name + QStringLiteral(".lock");
  }
  return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') +
         QString::number(::getuid()) + QStringLiteral(".lock");
}

SingleInstanceLock::SingleInstanceLock() : m_lock(LockFilePath()) {
  // The lock is held for the life of the program, however long: never take it as stale while
  // its owner still runs.
  m_lock.setStaleLockTime(0);
  m_acquired = m_lock.tryLock(0);
}

}  // namespace kestrova
