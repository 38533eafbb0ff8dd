// Starting Qt off screen and quiet.
#include "replay/headless.h"

HeadlessApplication::HeadlessApplication(char* program) : argv_{program, nullptr} {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    app_.emplace(argc_, argv_);
}
