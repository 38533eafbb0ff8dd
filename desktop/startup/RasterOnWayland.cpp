// No GL buffer integration on Wayland, and no word about it.
#include "desktop/startup/RasterOnWayland.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler before = nullptr;

void quietAboutBuffers(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool aboutBuffers = qstrcmp(context.category, "qt.qpa.wayland") == 0 &&
                              (message.startsWith(QLatin1String("Failed to load client buffer integration")) ||
                               message.startsWith(QLatin1String("Available client buffer integrations")));
    if (!aboutBuffers && before) before(type, context, message);
}

}  // namespace

void paintWithoutGlOnWayland() {
    if (qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION")) return;
    qputenv("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "none");
    before = qInstallMessageHandler(quietAboutBuffers);
}
