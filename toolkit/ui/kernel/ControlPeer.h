#pragma once
// The hook a renderer (the Qt one under the work center) attaches to a control: controls hold all
// their state and only tell the peer what changed; logic never reads the peer.
#include <functional>
#include <memory>

#include "toolkit/ui/kernel/PropertyId.h"

class TControl;

class IControlPeer {
public:
    virtual ~IControlPeer() = default;
    // A property that shows changed (Caption, Visible, Bounds, Parent, ActiveControl, BringToFront ...).
    virtual void PropertyChanged(TControl& control, TPropertyId property) = 0;
    // The control should be painted again (it then receives WM_PAINT through Perform).
    virtual void Invalidate(TControl& control) {}
    // The control should be painted at once, before the caller goes on.
    virtual void Repaint(TControl& control) { Invalidate(control); }
};

// Builds the peer of a control; the renderer installs one for the process. Without one controls
// stay headless.
using TPeerFactory = std::function<std::unique_ptr<IControlPeer>(TControl& control)>;
void SetPeerFactory(TPeerFactory factory);
const TPeerFactory& PeerFactory();
