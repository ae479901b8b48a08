#include "x11_window_state.h"

#include <QGuiApplication>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define RULER_HAS_XCB 1
#endif

namespace X11WindowState {

#ifdef RULER_HAS_XCB
namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<xcb_atom_t> stateAtoms(xcb_connection_t *c, xcb_window_t window, xcb_atom_t state)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, window, state, XCB_ATOM_ATOM, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return {};
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    return {atoms, atoms + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t)};
}

xcb_window_t rootOf(xcb_connection_t *c, xcb_window_t window)
{
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> reply(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

bool available()
{
    return connection() != nullptr;
}

void setSkipTaskbar(QWindow *window, bool skip)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t hints[] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                atom(c, "_NET_WM_STATE_SKIP_PAGER")};

    if (!window->isVisible()) {
        std::vector<xcb_atom_t> atoms = stateAtoms(c, id, state);
        for (xcb_atom_t hint : hints) {
            std::erase(atoms, hint);
            if (skip)
                atoms.push_back(hint);
        }
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                            uint32_t(atoms.size()), atoms.data());
    } else {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = state;
        message.data.data32[0] = skip ? 1 : 0; // _NET_WM_STATE_ADD or _REMOVE
        message.data.data32[1] = hints[0];
        message.data.data32[2] = hints[1];
        message.data.data32[3] = 1; // the request comes from an application
        xcb_send_event(c, 0, rootOf(c, id),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
    }
    xcb_flush(c);
}

void flush()
{
    if (xcb_connection_t *c = connection())
        xcb_flush(c);
}

#else

bool available()
{
    return false;
}

void setSkipTaskbar(QWindow *, bool) {}

void flush() {}

#endif

} // namespace X11WindowState
