// The controls of the game window as small models of what each one holds:
// labels, picture images, timers and menu items. Labels and images live on
// the window's one visible surface and repaint it the moment they change;
// timers and menu items tell whoever follows them (the desktop host) that
// they changed, and the host mirrors them.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

#include "shell/numbers.h"

class Surface;

// A control that covers a rectangle of the surface.
class Layer {
public:
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool visible() const { return visible_; }
    QRect rect() const { return QRect(left_, top_, width_, height_); }

    // Moves the control; the old and the new rectangle are repainted even
    // when the position does not change. A hidden control repaints nothing.
    void move(double left, double top);
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

protected:
    friend class Surface;
    void repaintChange(const QRect& before);

    Surface* surface_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
};

// A picture control. It takes the size of the picture it is given; without
// a picture it shows nothing and keeps its design-time size.
class Image : public Layer {
public:
    void design(int left, int top, int width, int height);
    const QImage& picture() const { return picture_; }
    // A hidden image takes its new picture without repainting anything.
    void setPicture(const QImage& picture);
    // Loads a bitmap file; a file that cannot be read as a picture leaves
    // the image with the picture it had.
    bool loadPicture(const QString& path);

private:
    QImage picture_;
};

// A text control that paints its background box and its caption.
class Label : public Layer {
public:
    struct Design {
        int left, top, width, height;
        QString caption;
        Long foreColor, backColor;
        QString fontFamily;
        double fontPoints;
        bool bold;
        bool visible;
        Qt::Alignment alignment = Qt::AlignLeft;
        bool wordWrap = false;  // else one line, cut off at the label's edge
    };
    void design(const Design& d);

    const QString& caption() const { return caption_; }
    // A hidden label takes its new caption without repainting anything.
    void setCaption(const QString& caption);
    Long foreColor() const { return foreColor_; }
    Long backColor() const { return backColor_; }
    const QFont& font() const { return font_; }
    Qt::Alignment alignment() const { return alignment_; }
    // Repaints the label now, whatever covers it, when it is shown.
    void refresh();
    // Text is drawn crisp and unhinted, whatever the player's font
    // settings, so a caption comes out the same on every screen; smooth
    // text, drawn as the font settings say, is how replays of the first
    // format saw it.
    void setSmooth(bool smooth);
    // The label as it is painted: background box and caption.
    const QImage& rendered() const { return rendered_; }

private:
    void render();

    QString caption_;
    Long foreColor_ = 0, backColor_ = 0;
    QFont font_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool wordWrap_ = false;
    QImage rendered_;
};

// A periodic timer: its interval in milliseconds and whether it runs.
// A new interval, or a stop and a start, restarts its count.
class Timer {
public:
    Long interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setInterval(Long milliseconds);
    void setEnabled(bool enabled);
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    Long interval_ = 0;
    bool enabled_ = true;
    std::function<void()> changed_;
};

// A menu or a menu item: caption, check mark, enabled, visible, and the
// handler that runs when the player chooses it.
class MenuItem {
public:
    void design(const QString& caption, std::vector<MenuItem*> items = {});
    const QString& caption() const { return caption_; }
    bool checked() const { return checked_; }
    bool enabled() const { return enabled_; }
    bool visible() const { return visible_; }
    const std::vector<MenuItem*>& items() const { return items_; }
    void setChecked(bool checked);
    void setEnabled(bool enabled);
    void setVisible(bool visible);

    void onClick(std::function<void()> click) { click_ = std::move(click); }
    void click() const;
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    void changed() const;

    QString caption_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    std::vector<MenuItem*> items_;
    std::function<void()> click_;
    std::function<void()> changed_;
};
