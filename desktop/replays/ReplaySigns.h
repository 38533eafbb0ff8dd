// What the window shows while a replay is watched, drawn by the window and
// never on the game's surface: a small sign in the top right corner, over
// the menu bar when the recording shows it, that says it is a recording
// (and whether it is held or playing fast), and at the end a sign in the
// middle of the play area that says the replay has ended, with its score,
// or that it left the recorded game.
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QWidget;

class ReplaySigns : public QObject {
public:
    ReplaySigns(QWidget& window, QWidget& view);

    void showPace(bool paused, bool fast);
    void showEnd(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QWidget& window_;
    QWidget& view_;
    QLabel* corner_;
    QLabel* end_;
};
