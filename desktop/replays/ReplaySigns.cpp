// The replay's signs over the window.
#include "desktop/replays/ReplaySigns.h"

#include <QEvent>
#include <QLabel>

namespace {

QLabel* sign(QWidget& parent, const char* style) {
    auto* label = new QLabel(&parent);
    label->setStyleSheet(QString::fromLatin1(style));
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

ReplaySigns::ReplaySigns(QWidget& window, QWidget& view)
    : QObject(&view), window_(window), view_(view),
      corner_(sign(window, "QLabel { color: white; background: #a00000; font-weight: bold; padding: 1px 6px; }")),
      end_(sign(view, "QLabel { color: white; background: rgba(0, 0, 96, 220); border: 2px solid white; "
                      "font-size: 16px; padding: 12px 20px; }")) {
    end_->hide();
    showPace(false, false);
    window.installEventFilter(this);
    view.installEventFilter(this);
}

void ReplaySigns::showPace(bool paused, bool fast) {
    QString text = QStringLiteral("\u25CF REPLAY");
    if (paused)
        text += QStringLiteral("  \u275A\u275A held");
    else if (fast)
        text += QStringLiteral("  \u25B6\u25B6 4\u00D7");
    corner_->setText(text);
    place();
    corner_->show();
    corner_->raise();
}

void ReplaySigns::showEnd(const QString& text) {
    end_->setText(text);
    place();
    end_->show();
    end_->raise();
}

bool ReplaySigns::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == &window_ || watched == &view_) && event->type() == QEvent::Resize) place();
    return QObject::eventFilter(watched, event);
}

void ReplaySigns::place() {
    corner_->adjustSize();
    corner_->move(window_.width() - corner_->width() - 4, 4);
    end_->adjustSize();
    end_->move((view_.width() - end_->width()) / 2, (view_.height() - end_->height()) / 2);
}
