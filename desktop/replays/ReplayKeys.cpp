// Watching's own keys.
#include "desktop/replays/ReplayKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "desktop/replays/ReplayViewer.h"

ReplayKeys::ReplayKeys(QWidget& window, ReplayViewer& viewer, std::function<void()> fastChanged)
    : QObject(&window), window_(window), viewer_(viewer), fastChanged_(std::move(fastChanged)) {
    qApp->installEventFilter(this);
}

bool ReplayKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool press = event->type() == QEvent::KeyPress;
    switch (key->key()) {
    case Qt::Key_Space:
        if (press && !key->isAutoRepeat()) {
            QKeyEvent pause(QEvent::KeyPress, Qt::Key_Pause, Qt::NoModifier);
            QCoreApplication::sendEvent(&window_, &pause);
        }
        return true;
    case Qt::Key_Right:
        if (!key->isAutoRepeat()) {
            viewer_.setFast(press);
            fastChanged_();
        }
        return true;
    case Qt::Key_Escape:
        if (press) window_.close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (press && viewer_.ended()) window_.close();
        return true;
    default: return QObject::eventFilter(watched, event);
    }
}
