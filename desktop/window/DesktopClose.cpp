// The window's close request and its destruction, seen in the X events
// before Qt handles them (Qt drops a close while a dialog is open).
#include "desktop/window/DesktopClose.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t reply(xcb_connection_t* connection, xcb_intern_atom_cookie_t asked) {
    xcb_intern_atom_reply_t* answer = xcb_intern_atom_reply(connection, asked, nullptr);
    const xcb_atom_t atom = answer ? answer->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(answer);
    return atom;
}

xcb_intern_atom_cookie_t ask(xcb_connection_t* connection, const char* name) {
    return xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name);
}

}  // namespace

DesktopClose::DesktopClose(QWidget& window) : QObject(&window), window_(window) {
    // The offscreen platform may answer for X too, with no connection.
    auto* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x ? x->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !connection) return;
    // Both atoms exist, Qt having made them: both questions go out before
    // either answer is waited for.
    const xcb_intern_atom_cookie_t protocols = ask(connection, "WM_PROTOCOLS");
    const xcb_intern_atom_cookie_t deleteWindow = ask(connection, "WM_DELETE_WINDOW");
    protocols_ = reply(connection, protocols);
    deleteWindow_ = reply(connection, deleteWindow);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool DesktopClose::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // An X window Qt destroys itself is no longer the widget's by the time
    // the server's notice arrives: one destroyed while still the widget's
    // was destroyed by another program.
    const auto window = static_cast<xcb_window_t>(window_.internalWinId());
    bool gone = false;
    if ((event->response_type & 0x7f) == XCB_DESTROY_NOTIFY) {
        gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == window;
    } else if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        const auto* request = reinterpret_cast<const xcb_client_message_event_t*>(event);
        gone = request->window == window && request->type == protocols_ && request->format == 32 &&
               request->data.data32[0] == deleteWindow_;
    }
    if (gone) QCoreApplication::exit(0);
    return false;
}
