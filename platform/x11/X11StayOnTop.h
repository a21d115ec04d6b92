#pragma once

#include <set>
#include <vector>

struct _XDisplay;
union _XEvent;

// Keeps a connection's top-most unmanaged windows (the full-screen saver and the black
// covers of other monitors) above every other window for as long as they exist: whenever
// another program's window is mapped, raised or restacked, or the highest of them is
// obscured, they are raised again. The window made top-most last ends highest.
//
// A window of this connection that is not top-most (a message box) must be seen and
// answered: while one is shown nothing is raised over it.
class TX11StayOnTop {
public:
    TX11StayOnTop(_XDisplay* display, unsigned long root);
    TX11StayOnTop(const TX11StayOnTop&) = delete;
    TX11StayOnTop& operator=(const TX11StayOnTop&) = delete;

    // A window of this connection, and whether it is to stay on top.
    void Add(unsigned long window, bool topMost);
    void SetTopMost(unsigned long window, bool topMost);
    void Forget(unsigned long window);
    // Looks at every event of the connection before it is handled.
    void Notice(const _XEvent& event);

private:
    bool Own(unsigned long window) const { return FOwn.count(window) != 0; }
    bool TopMost(unsigned long window) const;
    void Raise();

    _XDisplay* FDisplay;
    unsigned long FRoot;
    bool FWatchingRoot = false;
    std::vector<unsigned long> FTopMost;  // lowest first
    std::set<unsigned long> FOwn;
    std::set<unsigned long> FShownOthers;  // own windows that are not top-most and are mapped
};
