// The keyboard layout: XKB's names read from the X server's root window
// (the property setxkbmap writes), or XKB's defaults, compiled into a
// keymap whose keys are then read level by level.
#include "desktop/window/KeyLayout.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

#include <cstring>

namespace {

// The names the X server's layout was compiled from: rules, model, layout,
// variant and options, each ended by a zero byte.
KeyLayout::Names namesOnX(xcb_connection_t* connection) {
    KeyLayout::Names names;
    static const char Property[] = "_XKB_RULES_NAMES";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(Property), Property), nullptr);
    if (!atom) return names;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_STRING, 0, 1024), nullptr);
    std::free(atom);
    if (!reply) return names;
    const char* text = static_cast<const char*>(xcb_get_property_value(reply));
    const int length = xcb_get_property_value_length(reply);
    std::string* fields[] = {&names.rules, &names.model, &names.layout, &names.variant, &names.options};
    int field = 0;
    for (int i = 0; i < length && field < 5; ++i) {
        if (text[i] == '\0')
            ++field;
        else
            fields[field]->push_back(text[i]);
    }
    std::free(reply);
    return names;
}

KeyLayout::Names desktopNames() {
    if (auto* x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return namesOnX(x->connection());
    return {};
}

const char* orNull(const std::string& name) { return name.empty() ? nullptr : name.c_str(); }

}  // namespace

const KeyLayout* KeyLayout::desktop() {
    static const std::unique_ptr<KeyLayout> layout = compile(desktopNames());
    return layout.get();
}

std::unique_ptr<KeyLayout> KeyLayout::compile(const Names& names) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context) return nullptr;
    const xkb_rule_names rmlvo{orNull(names.rules), orNull(names.model), orNull(names.layout), orNull(names.variant),
                               orNull(names.options)};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &rmlvo, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) {
        xkb_context_unref(context);
        return nullptr;
    }
    return std::unique_ptr<KeyLayout>(new KeyLayout(context, keymap));
}

KeyLayout::~KeyLayout() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

char32_t KeyLayout::character(quint32 keycode, int level) const {
    const xkb_keysym_t* symbols = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap_, keycode, 0, static_cast<xkb_level_index_t>(level), &symbols) != 1)
        return 0;
    return xkb_keysym_to_utf32(symbols[0]);
}
