// The machine's name and boot from the kernel, the process by its number.
#include "halloffame/claimer.h"

#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace {

QString thisMachine() {
    QFile boot(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    const QString bootId = boot.open(QIODevice::ReadOnly) ? QString::fromLatin1(boot.readAll().trimmed()) : QString();
    return QSysInfo::machineHostName() + QLatin1Char('/') + bootId;
}

}  // namespace

QString thisClaimer() { return thisMachine() + QLatin1Char('/') + QString::number(getpid()); }

bool claimerGone(const QString& claimer) {
    const QString machine = thisMachine();
    if (!claimer.startsWith(machine + QLatin1Char('/'))) return false;
    bool ok = false;
    const pid_t pid = claimer.mid(machine.size() + 1).toInt(&ok);
    return ok && pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}
