#pragma once
// The object broker component of the data module's resource. Connections are opened at the
// configured server directly (the broker is cleared before connecting), so it only keeps the server
// list a resource may give it.
#include "toolkit/classes/Component.h"
#include "toolkit/rtl/Strings.h"

class TSimpleObjectBroker : public TComponent {
    TK_CLASS(TSimpleObjectBroker, TComponent)
public:
    explicit TSimpleObjectBroker(TComponent* owner) : TComponent(owner) {}

    TStringList Servers;  // "address=port" lines
    bool LoadBalanced = false;
};
