// The keyboard layout: on X, XKB's names read from the X server's root
// window (the property setxkbmap writes); on Wayland, the keymap the
// compositor hands every client with a keyboard, asked for on a connection
// of our own; otherwise XKB's defaults. The keymap's keys are then read
// level by level.
#include "desktop/window/KeyLayout.h"

#include <QGuiApplication>

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
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

// The compositor's keymap as XKB's text, empty when there is none: the
// seat is bound, its keyboard asked for once the seat says it has one,
// and the keymap read from the file the compositor sends.
struct Seat {
    wl_seat* seat = nullptr;
    wl_keyboard* keyboard = nullptr;
    std::string keymap;
};

const wl_keyboard_listener KeyboardListener = {
    [](void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
        auto* seat = static_cast<Seat*>(data);
        void* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
                                                                : MAP_FAILED;
        if (text != MAP_FAILED) {
            seat->keymap.assign(static_cast<const char*>(text), strnlen(static_cast<const char*>(text), size));
            munmap(text, size);
        }
        close(fd);
    },
    [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {},
    [](void*, wl_keyboard*, uint32_t, wl_surface*) {},
    [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void*, wl_keyboard*, int32_t, int32_t) {},
};

const wl_seat_listener SeatListener = {
    [](void* data, wl_seat* bound, uint32_t capabilities) {
        auto* seat = static_cast<Seat*>(data);
        if (seat->keyboard || !(capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) return;
        seat->keyboard = wl_seat_get_keyboard(bound);
        wl_keyboard_add_listener(seat->keyboard, &KeyboardListener, seat);
    },
    [](void*, wl_seat*, const char*) {},
};

const wl_registry_listener RegistryListener = {
    [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
        auto* seat = static_cast<Seat*>(data);
        if (seat->seat || std::strcmp(interface, wl_seat_interface.name) != 0) return;
        seat->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        wl_seat_add_listener(seat->seat, &SeatListener, seat);
    },
    [](void*, wl_registry*, uint32_t) {},
};

std::string keymapOnWayland() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return {};
    Seat seat;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, &seat);
    // The seat, then its capabilities, then the keyboard's keymap.
    for (int round = 0; round < 3 && seat.keymap.empty(); ++round) wl_display_roundtrip(display);
    if (seat.keyboard) wl_keyboard_destroy(seat.keyboard);
    if (seat.seat) wl_seat_destroy(seat.seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return seat.keymap;
}

std::unique_ptr<KeyLayout> desktopLayout() {
    if (auto* x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return KeyLayout::compile(namesOnX(x->connection()));
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        if (const std::string keymap = keymapOnWayland(); !keymap.empty())
            if (auto layout = KeyLayout::fromText(keymap)) return layout;
    return KeyLayout::compile({});
}

const char* orNull(const std::string& name) { return name.empty() ? nullptr : name.c_str(); }

}  // namespace

const KeyLayout* KeyLayout::desktop() {
    static const std::unique_ptr<KeyLayout> layout = desktopLayout();
    return layout.get();
}

std::unique_ptr<KeyLayout> KeyLayout::compile(const Names& names) {
    const xkb_rule_names rmlvo{orNull(names.rules), orNull(names.model), orNull(names.layout), orNull(names.variant),
                               orNull(names.options)};
    return build([&rmlvo](xkb_context* context) {
        return xkb_keymap_new_from_names(context, &rmlvo, XKB_KEYMAP_COMPILE_NO_FLAGS);
    });
}

std::unique_ptr<KeyLayout> KeyLayout::fromText(const std::string& keymap) {
    return build([&keymap](xkb_context* context) {
        return xkb_keymap_new_from_string(context, keymap.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                          XKB_KEYMAP_COMPILE_NO_FLAGS);
    });
}

std::unique_ptr<KeyLayout> KeyLayout::build(const std::function<xkb_keymap*(xkb_context*)>& compileIn) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context) return nullptr;
    xkb_keymap* keymap = compileIn(context);
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
