// The desktop taking the window away on X: asked to close (its close
// button, a task bar's Close) or destroyed by another program, the window
// ends the program as a quit signal does, whatever is open. Qt alone would
// ignore a close while the About box or the name prompt is open, and would
// go on running with no window at all once another program destroyed it.
// As for a quit signal, an open dialog returns (the prompt with the name
// typed so far), a blocking pause of the game ends the program at once,
// and otherwise the program leaves its event loop.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

class QWidget;

class DesktopClose : public QObject, public QAbstractNativeEventFilter {
public:
    // Watches the window while it lives; on a display other than X it does
    // nothing, and Qt's own close stands.
    explicit DesktopClose(QWidget& window);

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    QWidget& window_;
    std::uint32_t protocols_ = 0;  // the atoms WM_PROTOCOLS
    std::uint32_t deleteWindow_ = 0;  // and WM_DELETE_WINDOW
};
