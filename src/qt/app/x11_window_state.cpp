#include "x11_window_state.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <xcb/xcb.h>

namespace X11WindowState {

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The atoms of the names, asked for together: one round trip to the server.
template<size_t Count>
std::array<xcb_atom_t, Count> internAtoms(xcb_connection_t *c, const char *const (&names)[Count])
{
    std::array<xcb_intern_atom_cookie_t, Count> cookies;
    for (size_t i = 0; i < Count; ++i)
        cookies[i] = xcb_intern_atom(c, 0, uint16_t(strlen(names[i])), names[i]);
    std::array<xcb_atom_t, Count> found;
    for (size_t i = 0; i < Count; ++i) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(c, cookies[i], nullptr), &std::free);
        found[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return found;
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

bool supportedByWindowManager(xcb_connection_t *c, xcb_window_t root, xcb_atom_t supported,
                              xcb_atom_t feature)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 4096);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const auto count = xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t);
    return std::find(atoms, atoms + count, feature) != atoms + count;
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
    const auto [state, skipTaskbar, skipPager] =
        internAtoms(c, {"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    const xcb_atom_t hints[] = {skipTaskbar, skipPager};

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

bool beginMoveResize(QWindow *window, MoveResize kind)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    const auto id = xcb_window_t(window->winId());
    const xcb_window_t root = rootOf(c, id);
    const auto [supported, moveResize] = internAtoms(c, {"_NET_SUPPORTED", "_NET_WM_MOVERESIZE"});
    if (!supportedByWindowManager(c, root, supported, moveResize))
        return false;
    std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr), &std::free);
    if (!pointer)
        return false;

    // The press gave this program the pointer; the window manager needs it.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = moveResize;
    message.data.data32[0] = uint32_t(pointer->root_x);
    message.data.data32[1] = uint32_t(pointer->root_y);
    message.data.data32[2] =
        kind == MoveResize::Move ? 8 : 4; // _NET_WM_MOVERESIZE_MOVE, _SIZE_BOTTOMRIGHT
    message.data.data32[3] = 1;           // the left button
    message.data.data32[4] = 1;           // the request comes from an application
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);
    return true;
}

void flush()
{
    if (xcb_connection_t *c = connection())
        xcb_flush(c);
}

} // namespace X11WindowState
