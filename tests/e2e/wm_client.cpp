// What a desktop asks of a window, asked by the end-to-end runs:
//   wm_client ping WINDOW SECONDS  pings the window as a desktop does to see
//       whether it still answers (_NET_WM_PING, every 20 ms) for a while,
//       and prints the longest time a ping waited for its answer, in
//       milliseconds, and how many were sent;
//   wm_client close WINDOW  asks the window to close, as its close button
//       does (WM_DELETE_WINDOW).
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
}

// Sends one of the window manager's protocol messages to the window.
void sendProtocol(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t protocol, std::uint32_t serial) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = protocol;
    message.data.data32[1] = serial;
    message.data.data32[2] = window;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

void watchPings(xcb_connection_t* connection, xcb_window_t window, std::chrono::seconds watch) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t ping = atom(connection, "_NET_WM_PING");
    // The answer goes to the root window, to whoever listens there.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::map<std::uint32_t, Clock::time_point> waiting;
    long longest = 0;
    const auto waited = [&](Clock::time_point asked) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count();
        longest = std::max(longest, static_cast<long>(ms));
    };
    std::uint32_t sent = 0;
    const Clock::time_point end = Clock::now() + watch;
    Clock::time_point next = Clock::now();
    while (Clock::now() < end && !xcb_connection_has_error(connection)) {
        if (Clock::now() >= next) {
            sendProtocol(connection, window, ping, ++sent);
            waiting[sent] = Clock::now();
            next += std::chrono::milliseconds(20);
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const auto* answer = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE && answer->type == protocols &&
                answer->data.data32[0] == ping) {
                const auto asked = waiting.find(answer->data.data32[1]);
                if (asked != waiting.end()) waited(asked->second), waiting.erase(asked);
            }
            std::free(event);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (const auto& [serial, asked] : waiting) waited(asked);
    std::printf("%ld %u\n", longest, sent);
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string ask = argc > 1 ? argv[1] : "";
    if (!((ask == "ping" && argc == 4) || (ask == "close" && argc == 3))) {
        std::fprintf(stderr, "usage: wm_client ping WINDOW SECONDS | wm_client close WINDOW\n");
        return 2;
    }
    const auto window = static_cast<xcb_window_t>(std::stoul(argv[2], nullptr, 0));
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "wm_client: no display\n");
        return 2;
    }
    if (ask == "ping")
        watchPings(connection, window, std::chrono::seconds(std::stoi(argv[3])));
    else {
        sendProtocol(connection, window, atom(connection, "WM_DELETE_WINDOW"), XCB_CURRENT_TIME);
        // Returns once the server has taken the request.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    xcb_disconnect(connection);
    return 0;
}
