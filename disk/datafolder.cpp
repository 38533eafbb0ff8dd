// The player's data folder, as the desktop's base-directory rules name it.
#include "disk/datafolder.h"

#include <QDir>
#include <QStandardPaths>

QString playerDataFolder() {
    QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // A data home that is not an absolute path is not used, as the rules say.
    if (!QDir::isAbsolutePath(dataHome)) dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/vorlane");
}
