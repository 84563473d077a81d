#include "app/qt/X11WindowWalk.h"

#include "app/InstanceGuard.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Every resource a client makes carries the client's id base, so the windows
// Qt makes for this copy (its client leader, named after the program, among
// them) are known by their ids.
bool MadeByThisClient(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    return (window & ~setup->resource_id_mask) == setup->resource_id_base;
}

std::vector<xcb_window_t> RootChildrenTopFirst(xcb_connection_t* connection, xcb_window_t anyWindow)
{
    ReplyPtr<xcb_query_tree_reply_t> ofWindow(xcb_query_tree_reply(connection, xcb_query_tree(connection, anyWindow), nullptr));
    if (!ofWindow)
        return {};
    ReplyPtr<xcb_query_tree_reply_t> ofRoot(xcb_query_tree_reply(connection, xcb_query_tree(connection, ofWindow->root), nullptr));
    if (!ofRoot)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(ofRoot.get());
    const int count = xcb_query_tree_children_length(ofRoot.get());
    return {std::make_reverse_iterator(children + count), std::make_reverse_iterator(children)};
}

struct PropertyRequests {
    xcb_get_property_cookie_t transientFor;
    xcb_get_property_cookie_t name;
};

PropertyRequests RequestProperties(xcb_connection_t* connection, xcb_window_t window)
{
    constexpr uint32_t NameLongs = TitleBufferSize / 4;
    return {xcb_get_property(connection, 0, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1),
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, NameLongs)};
}

ReplyPtr<xcb_get_property_reply_t> PropertyReply(xcb_connection_t* connection, xcb_get_property_cookie_t cookie)
{
    xcb_generic_error_t* error = nullptr;
    ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, &error));
    std::free(error);
    return reply;
}

bool NamesAWindow(const xcb_get_property_reply_t& reply)
{
    if (reply.format != 32 || xcb_get_property_value_length(&reply) < 4)
        return false;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(&reply)) != XCB_WINDOW_NONE;
}

std::string Bytes(const xcb_get_property_reply_t& reply)
{
    if (reply.format != 8)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(&reply)),
        static_cast<std::size_t>(xcb_get_property_value_length(&reply))};
}
}

void SetX11WindowName(WId window, const std::string& title)
{
    xcb_connection_t* connection = Connection();
    if (!connection)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window), XCB_ATOM_WM_NAME,
        XCB_ATOM_STRING, 8, static_cast<uint32_t>(title.size()), title.data());
    xcb_flush(connection);
}

std::vector<TopLevelWindow> WalkX11TopLevelWindows(WId applicationWindow)
{
    xcb_connection_t* connection = Connection();
    if (!connection)
        return {};
    const std::vector<xcb_window_t> children = RootChildrenTopFirst(connection, static_cast<xcb_window_t>(applicationWindow));
    std::vector<PropertyRequests> requests;
    requests.reserve(children.size());
    for (xcb_window_t child : children)
        requests.push_back(RequestProperties(connection, child));

    std::vector<TopLevelWindow> windows;
    for (std::size_t i = 0; i < children.size(); ++i) {
        auto transientFor = PropertyReply(connection, requests[i].transientFor);
        auto name = PropertyReply(connection, requests[i].name);
        if (!transientFor || !name)
            continue;
        windows.push_back({MadeByThisClient(connection, children[i]), NamesAWindow(*transientFor), Bytes(*name)});
    }
    return windows;
}
