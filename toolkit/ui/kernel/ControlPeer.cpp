#include "toolkit/ui/kernel/ControlPeer.h"

namespace {
TPeerFactory& Factory() {
    static auto* factory = new TPeerFactory;
    return *factory;
}
}  // namespace

void SetPeerFactory(TPeerFactory factory) { Factory() = std::move(factory); }

const TPeerFactory& PeerFactory() { return Factory(); }
