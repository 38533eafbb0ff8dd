// Opens and closes a connection to the X server or the Wayland compositor
// Qt would use, the way Qt would open it: xcb_connect for X11 (the server
// is there and lets us in), the compositor's socket for Wayland.
#include "desktop/startup/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// display: the X server asked for with -display; else $DISPLAY's.
bool xDisplayOpens(const std::string& display) {
    if (display.empty() && environment("DISPLAY").empty()) return false;
    xcb_connection_t* connection = xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened;
}

// libwayland's rules: WAYLAND_DISPLAY is a socket path, or a name in
// XDG_RUNTIME_DIR, "wayland-0" when unset.
bool waylandDisplayOpens() {
    std::string path = environment("WAYLAND_DISPLAY");
    if (path.empty()) path = "wayland-0";
    if (path[0] != '/') {
        const std::string runtime = environment("XDG_RUNTIME_DIR");
        if (runtime.empty()) return false;
        path = runtime + "/" + path;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool opened = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return opened;
}

// One entry of a platform list, "name:options": whether it will start.
bool platformStarts(std::string_view entry, const std::string& display) {
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name == "xcb") return xDisplayOpens(display);
    if (name.substr(0, 7) == "wayland") return waylandDisplayOpens();
    return true;
}

bool displayOpens(const std::string& platforms, const std::string& display) {
    if (platforms.empty())
        return (!environment("WAYLAND_DISPLAY").empty() && waylandDisplayOpens()) || xDisplayOpens(display);
    std::string_view rest = platforms;
    for (;;) {
        const std::size_t end = rest.find(';');
        if (platformStarts(rest.substr(0, end), display)) return true;
        if (end == std::string_view::npos) return false;
        rest.remove_prefix(end + 1);
    }
}

}  // namespace

bool checkGraphicalSession(const std::string& platform, const std::string& display) {
    if (displayOpens(platform.empty() ? environment("QT_QPA_PLATFORM") : platform, display)) return true;
    std::fputs("Vorlane needs a graphical desktop session: no X11 or Wayland display could be opened.\n", stderr);
    return false;
}
