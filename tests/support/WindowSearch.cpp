#include "WindowSearch.h"

#include <X11/Xlib.h>

#include "XConnection.h"

std::vector<TTopWindow> ViewableTopWindows(TXConnection& connection)
{
    Display* display = connection.Get();
    const Window root = DefaultRootWindow(display);
    std::vector<TTopWindow> found;
    Window rootReturn = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    const bool listed = XQueryTree(display, root, &rootReturn, &parent, &children, &count) != 0;
    for (unsigned i = 0; listed && i < count; ++i) {
        // Every call below fails quietly (answers zero) for a window that has just gone.
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        TTopWindow window;
        window.Id = static_cast<std::uint32_t>(children[i]);
        window.Width = attributes.width;
        window.Height = attributes.height;
        window.Unmanaged = attributes.override_redirect;
        Window child = 0;
        if (!XTranslateCoordinates(display, children[i], root, 0, 0, &window.X, &window.Y, &child))
            continue;
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            window.Name = name;
            XFree(name);
        }
        found.push_back(std::move(window));
    }
    if (children)
        XFree(children);
    connection.Sync("the window search");
    return found;
}
