#pragma once

// What the X server itself says about a window: its shape, its
// window-manager frame, whether it is mapped.

#include <QRect>
#include <QRegion>
#include <cstdlib>
#include <string>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace frametest {

class X11Probe {
public:
    X11Probe() : m_c(xcb_connect(nullptr, nullptr)) {}
    ~X11Probe() { xcb_disconnect(m_c); }
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    bool ok() const { return !xcb_connection_has_error(m_c); }

    // The bounding shape of the window (or, with XCB_SHAPE_SK_INPUT, where
    // it takes the pointer), in window coordinates.
    QRegion shape(uint32_t window, xcb_shape_kind_t kind = XCB_SHAPE_SK_BOUNDING)
    {
        QRegion region;
        auto* reply = xcb_shape_get_rectangles_reply(
            m_c, xcb_shape_get_rectangles(m_c, window, kind), nullptr);
        if (!reply)
            return region;
        const xcb_rectangle_t* r = xcb_shape_get_rectangles_rectangles(reply);
        for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply); ++i)
            region += QRect(r[i].x, r[i].y, r[i].width, r[i].height);
        std::free(reply);
        return region;
    }

    // _NET_FRAME_EXTENTS (left, right, top, bottom), empty when not set.
    std::vector<uint32_t> frameExtents(uint32_t window)
    {
        std::vector<uint32_t> values;
        const xcb_atom_t atom = intern("_NET_FRAME_EXTENTS");
        auto* reply = xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, atom, XCB_ATOM_CARDINAL, 0, 4), nullptr);
        if (reply) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply));
            values.assign(v, v + xcb_get_property_value_length(reply) / 4);
            std::free(reply);
        }
        return values;
    }

    // The window's parent (the window manager's frame window once managed).
    uint32_t parent(uint32_t window)
    {
        auto* reply = xcb_query_tree_reply(m_c, xcb_query_tree(m_c, window), nullptr);
        const uint32_t p = reply ? reply->parent : 0;
        std::free(reply);
        return p;
    }

    QRect geometry(uint32_t window)
    {
        auto* reply = xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, window), nullptr);
        QRect r;
        if (reply)
            r = QRect(reply->x, reply->y, reply->width, reply->height);
        std::free(reply);
        return r;
    }

    // The window's place on the screen and its size.
    QRect rootGeometry(uint32_t window)
    {
        const QRect g = geometry(window);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        auto* reply = xcb_translate_coordinates_reply(m_c, xcb_translate_coordinates(m_c, window, root, 0, 0),
                                                      nullptr);
        QRect r;
        if (reply && !g.isNull())
            r = QRect(QPoint(reply->dst_x, reply->dst_y), g.size());
        std::free(reply);
        return r;
    }

    // The window and all its ancestors are mapped.
    bool viewable(uint32_t window)
    {
        auto* a = xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, window), nullptr);
        const bool v = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(a);
        return v;
    }

    // WM_TRANSIENT_FOR of a window (0 when not set).
    uint32_t transientFor(uint32_t window)
    {
        auto* reply = xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1), nullptr);
        uint32_t owner = 0;
        if (reply && xcb_get_property_value_length(reply) == 4)
            owner = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
        std::free(reply);
        return owner;
    }

    // The atoms of a window's _NET_WM_STATE, by name.
    std::vector<std::string> netWmState(uint32_t window)
    {
        std::vector<std::string> names;
        auto* reply = xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, intern("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32), nullptr);
        if (reply) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i) {
                auto* name = xcb_get_atom_name_reply(m_c, xcb_get_atom_name(m_c, atoms[i]), nullptr);
                if (name) {
                    names.emplace_back(xcb_get_atom_name_name(name), xcb_get_atom_name_name_length(name));
                    std::free(name);
                }
            }
            std::free(reply);
        }
        return names;
    }

    struct Mapped {
        uint32_t window;
        QRect geometry;
        bool overrideRedirect;
    };
    // Every viewable top-level window (child of the root), bottom to top.
    std::vector<Mapped> viewableTopLevels()
    {
        std::vector<Mapped> out;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        auto* tree = xcb_query_tree_reply(m_c, xcb_query_tree(m_c, root), nullptr);
        if (!tree)
            return out;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            auto* a = xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, children[i]), nullptr);
            if (a && a->map_state == XCB_MAP_STATE_VIEWABLE)
                out.push_back({children[i], geometry(children[i]), a->override_redirect != 0});
            std::free(a);
        }
        std::free(tree);
        return out;
    }

private:
    xcb_atom_t intern(const std::string& name)
    {
        auto* reply = xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(name.size()), name.c_str()),
                                            nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    xcb_connection_t* m_c;
};

} // namespace frametest
