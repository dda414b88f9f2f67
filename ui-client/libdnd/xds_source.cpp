#include "xds_source.h"

#include <QX11Info>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace xds {

const char kType[] = "XdndDirectSave0";
const char kSaved[] = "S";
const char kError[] = "E";

namespace {

// A URI longer than this is refused rather than read in part.
const uint32_t kMaxUriBytes = 8192;

// The window whose property was written, kept for the read and the removal:
// the selection may change owner once the drag is over.
xcb_window_t s_window = XCB_WINDOW_NONE;

xcb_connection_t* connection()
{
    return QX11Info::isPlatformX11() ? QX11Info::connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The owner of the drag selection when it is a window of this connection:
// the toolkit's drag source. Another client's window is never written to.
xcb_window_t ownDragSource(xcb_connection_t* c)
{
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom(c, "XdndSelection")), nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    std::free(reply);
    const uint32_t mask = xcb_get_setup(c)->resource_id_mask;
    if (owner == XCB_WINDOW_NONE || (owner & ~mask) != (xcb_get_setup(c)->resource_id_base & ~mask))
        return XCB_WINDOW_NONE;
    return owner;
}

} // namespace

bool offerName(QByteArray const& name)
{
    xcb_connection_t* c = connection();
    if (!c)
        return false;
    s_window = ownDragSource(c);
    if (s_window == XCB_WINDOW_NONE)
        return false;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, s_window, atom(c, kType), atom(c, "text/plain"), 8,
                        uint32_t(name.size()), name.constData());
    xcb_flush(c);
    return true;
}

QByteArray readDestination()
{
    xcb_connection_t* c = connection();
    if (!c || s_window == XCB_WINDOW_NONE)
        return QByteArray();
    // Lengths are in 32-bit units: one unit more than the limit tells a
    // longer value by its remaining bytes.
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, s_window, atom(c, kType), XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxUriBytes / 4 + 1),
        nullptr);
    QByteArray value;
    if (reply && reply->format == 8 && reply->bytes_after == 0) {
        const int length = xcb_get_property_value_length(reply);
        if (length >= 0 && uint32_t(length) <= kMaxUriBytes)
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), length);
    }
    std::free(reply);
    return value;
}

void withdraw()
{
    xcb_connection_t* c = connection();
    if (!c || s_window == XCB_WINDOW_NONE)
        return;
    xcb_delete_property(c, s_window, atom(c, kType));
    xcb_flush(c);
    s_window = XCB_WINDOW_NONE;
}

} // namespace xds
