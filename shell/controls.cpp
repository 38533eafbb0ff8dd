// How the controls change: each change of a shown label or image repaints
// its old and new rectangle on the surface at once, while a hidden one
// changes without touching the surface; timers and menu items tell whoever
// follows them.
#include "shell/controls.h"

#include <QPainter>

#include "shell/picturefile.h"
#include "shell/surface.h"

// A step straight across or straight down covers exactly the box of its
// old and new rectangle when they overlap, which is then repainted once.
void Layer::repaintChange(const QRect& before) {
    if (!surface_) return;
    const QRect after = rect();
    const bool straight = before.size() == after.size() && (before.left() == after.left() || before.top() == after.top());
    if (straight && before.intersects(after)) {
        surface_->repaint(before | after);
        return;
    }
    surface_->repaint(before);
    if (after != before) surface_->repaint(after);
}

void Layer::move(double left, double top) {
    const QRect before = rect();
    left_ = Surface::pixel(left);
    top_ = Surface::pixel(top);
    if (visible_) repaintChange(before);
}

// Showing a shown control or hiding a hidden one changes nothing.
void Layer::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    repaintChange(rect());
}

void Image::design(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Image::setPicture(const QImage& picture) {
    const QRect before = rect();
    picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    if (!picture_.isNull()) {
        width_ = picture_.width();
        height_ = picture_.height();
    }
    if (visible_) repaintChange(before);
}

bool Image::loadPicture(const QString& path) {
    const QImage picture = readPictureFile(path);
    if (picture.isNull()) return false;
    setPicture(picture);
    return true;
}

void Label::design(const Design& d) {
    left_ = d.left;
    top_ = d.top;
    width_ = d.width;
    height_ = d.height;
    caption_ = d.caption;
    foreColor_ = d.foreColor;
    backColor_ = d.backColor;
    font_ = QFont(d.fontFamily);
    font_.setPixelSize(static_cast<int>(std::lround(d.fontPoints * 96.0 / 72.0)));
    font_.setBold(d.bold);
    font_.setStyleStrategy(QFont::NoAntialias);
    font_.setHintingPreference(QFont::PreferNoHinting);
    visible_ = d.visible;
    alignment_ = d.alignment;
    wordWrap_ = d.wordWrap;
    render();
}

void Label::setCaption(const QString& caption) {
    caption_ = caption;
    render();
    if (visible_) repaintChange(rect());
}

void Label::setSmooth(bool smooth) {
    font_.setStyleStrategy(smooth ? QFont::PreferDefault : QFont::NoAntialias);
    font_.setHintingPreference(smooth ? QFont::PreferDefaultHinting : QFont::PreferNoHinting);
    render();
}

void Label::refresh() {
    if (visible_) repaintChange(rect());
}

// A new caption is drawn over the label's old picture, not into a new one:
// the status line is written twice a second and the bonus at every hit.
void Label::render() {
    if (rendered_.size() != QSize(width_, height_)) rendered_ = QImage(width_, height_, QImage::Format_RGB32);
    auto colour = [](Long c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
    rendered_.fill(colour(backColor_));
    QPainter painter(&rendered_);
    painter.setFont(font_);
    painter.setPen(colour(foreColor_));
    const int flags = static_cast<int>(alignment_ | Qt::AlignTop) | (wordWrap_ ? Qt::TextWordWrap : 0);
    painter.drawText(rendered_.rect(), flags, caption_);
}

void Timer::setInterval(Long milliseconds) {
    interval_ = milliseconds;
    if (changed_) changed_();
}

// Enabling a running timer leaves its count alone; a new interval or a
// stop and start begins the count afresh.
void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (changed_) changed_();
}

void MenuItem::design(const QString& caption, std::vector<MenuItem*> items) {
    caption_ = caption;
    items_ = std::move(items);
}

void MenuItem::setChecked(bool checked) {
    checked_ = checked;
    changed();
}

void MenuItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed();
}

void MenuItem::setVisible(bool visible) {
    visible_ = visible;
    changed();
}

void MenuItem::click() const {
    if (click_) click_();
}

void MenuItem::changed() const {
    if (changed_) changed_();
}
