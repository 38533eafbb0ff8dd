// The keys of a replay being watched, taken before the window sees them:
// Space pauses as Pause does, Right held plays four times as fast, Escape
// closes the window, and at the end Enter closes it too. Every other key
// reaches the window, whose door leads nowhere while a replay plays.
#pragma once

#include <QObject>

#include <functional>

class QWidget;
class ReplayViewer;

class ReplayKeys : public QObject {
public:
    // fastChanged: told when Right is pressed or let go.
    ReplayKeys(QWidget& window, ReplayViewer& viewer, std::function<void()> fastChanged);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    ReplayViewer& viewer_;
    std::function<void()> fastChanged_;
};
