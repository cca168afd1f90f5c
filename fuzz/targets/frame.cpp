// A request frame's payload as the server reads it: the message, its fields and its values, with the
// server's value cap; what decodes is encoded again as an answer would be.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/com/RemoteProtocol.h"

namespace {

// Every object id the client names stands for one object (the server's table would say which).
class AnyObject : public IRemoteObjectMap {
public:
    std::uint64_t ExportObject(const DispatchPtr&) override { return 1; }
    DispatchPtr ImportObject(std::uint64_t) override { return nullptr; }
};

void Reencode(const Variant& value) {
    TWireWriter out;
    out.Message(TRemoteMessage::Result);
    out.Value(value);
    out.Frame();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AnyObject objects;
    try {
        TWireReader in(std::string_view(reinterpret_cast<const char*>(data), size), &objects, kDefaultMaxValues);
        switch (in.Message()) {
            case TRemoteMessage::Hello:
                in.U32();
                in.Str();
                if (!in.AtEnd()) {
                    std::uint8_t proof = in.U8();
                    if (proof == static_cast<std::uint8_t>(TRemoteProof::Password)) in.Str();
                    if (proof != 0) in.Str();
                }
                break;
            case TRemoteMessage::Challenge:
                in.Str();
                in.U32();
                in.Str();
                break;
            case TRemoteMessage::Proof: in.Str(); break;
            case TRemoteMessage::Call: {
                in.U64();
                in.Str();
                in.U8();
                std::uint32_t count = in.U32();
                if (count > size / 2) return 0;
                for (std::uint32_t i = 0; i < count; ++i) {
                    in.U8();
                    Reencode(in.Value());
                }
                break;
            }
            case TRemoteMessage::Release: in.U64(); break;
            default: Reencode(in.Value()); break;
        }
        in.ExpectEnd();
    } catch (const Exception&) {
        // A malformed frame is refused with its reason: that is the expected outcome.
    }
    return 0;
}
