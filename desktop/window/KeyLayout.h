// The player's keyboard layout, compiled by XKB: what each key types,
// without and with Shift, so that a key is known by its characters wherever
// it lies. On X it is the layout the server was set to; on Wayland the
// compositor's own keymap; elsewhere the one XKB's defaults name.
#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>

struct xkb_context;
struct xkb_keymap;

class KeyLayout {
public:
    // XKB's names of a layout, as setxkbmap takes them; empty for the
    // defaults.
    struct Names {
        std::string rules, model, layout, variant, options;
    };

    // The layout of the desktop the program runs on; nullptr when none can
    // be compiled.
    static const KeyLayout* desktop();
    // A layout compiled from the system's XKB data; nullptr when it cannot be.
    static std::unique_ptr<KeyLayout> compile(const Names& names);
    // A keymap in XKB's text, as a Wayland compositor sends it.
    static std::unique_ptr<KeyLayout> fromText(const std::string& keymap);

    ~KeyLayout();
    KeyLayout(const KeyLayout&) = delete;
    KeyLayout& operator=(const KeyLayout&) = delete;

    // The character a key (an XKB keycode) types in the first group at a
    // shift level (0 plain, 1 with Shift); 0 when it types none there.
    char32_t character(quint32 keycode, int level) const;
    xkb_keymap* keymap() const { return keymap_; }

private:
    // A keymap compiled in a context of its own; nullptr when it fails.
    static std::unique_ptr<KeyLayout> build(const std::function<xkb_keymap*(xkb_context*)>& compileIn);
    KeyLayout(xkb_context* context, xkb_keymap* keymap) : context_(context), keymap_(keymap) {}

    xkb_context* context_;
    xkb_keymap* keymap_;
};
