#pragma once
// The wire format of remote automation: dispatch calls and variants in length-prefixed frames over TCP.
//
// Frame: u32 payload length (big-endian), then the payload. Payload: one message kind byte, then
// its fields. Integers are little-endian; strings and byte arrays are a u32 length and the bytes.
//   Hello    (client) u32 protocol version, string program id, then how the client proves who it is
//                     (left out: nothing, for servers that trust the client's address):
//                     u8 1 (password), string user, string client nonce   -> Challenge or Error
//                     u8 2 (ticket), string ticket                         -> Welcome or Error
//   Challenge(server) string salt, u32 iterations, string server nonce
//   Proof    (client) string proof of the password (Scram.h)               -> Welcome or Error
//   Welcome  (server) u64 id of the object created for the session; string the server's signature
//                     (password logins), string a ticket for later sessions of the same user, string
//                     the user as the server spells it ("" for a trusted client)
//   Call     (client) u64 object id, string member, u8 invoke kind, u32 argument count,
//                     per argument: u8 by-reference flag, variant      -> Result or Error
//   Result   (server) variant result, u32 count, per written-back argument: u32 index, variant
//   Error    (server) string exception class name, string message
//   Release  (client) u64 object id; no answer
// Variant: one type byte (VarType), then Boolean u8; Integer i64; Double and Date f64; String and
// Bytes as above; Array u8 dimension count (1 or 2), per dimension i32 low and i32 high, then the
// elements in row-major order; Dispatch u64 object id in the server's table. A frame that breaks any
// of these rules, is larger than the receiver's limit or holds more values than it decodes, ends the
// session.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/rtl/Dispatch.h"

TK_DECLARE_EXCEPTION(ERemoteProtocolError, Exception)  // a malformed frame or message

inline constexpr std::uint32_t kRemoteProtocolVersion = 1;
// What a server reads from a client: a request frame and the values decoded from it (each value takes
// about 64 bytes in memory, so the value cap bounds what one frame may cost).
inline constexpr std::size_t kDefaultMaxFrame = 16u * 1024u * 1024u;
inline constexpr std::size_t kDefaultMaxValues = 1000000;
// What a client reads from its server: answers carry whole packets of rows.
inline constexpr std::size_t kDefaultMaxAnswer = 256u * 1024u * 1024u;
inline constexpr int kMaxVariantDepth = 64;  // arrays nested deeper than this are refused

enum class TRemoteMessage : std::uint8_t {
    Hello = 1,
    Welcome,
    Call,
    Result,
    Error,
    Release,
    Challenge,
    Proof
};
enum class TRemoteProof : std::uint8_t {
    None = 0,
    Password = 1,
    Ticket = 2
};

// How dispatch references cross the wire: each side maps objects to the ids of the server's table.
class IRemoteObjectMap {
public:
    virtual ~IRemoteObjectMap() = default;
    virtual std::uint64_t ExportObject(const DispatchPtr& object) = 0;  // raises when it cannot be sent
    virtual DispatchPtr ImportObject(std::uint64_t id) = 0;             // raises for an unknown id
};

// Builds one frame. The length prefix is filled in by Frame().
class TWireWriter {
public:
    explicit TWireWriter(IRemoteObjectMap* objects = nullptr);
    void Message(TRemoteMessage kind) { U8(static_cast<std::uint8_t>(kind)); }
    void U8(std::uint8_t v) { buffer_.push_back(static_cast<char>(v)); }
    void U32(std::uint32_t v);
    void U64(std::uint64_t v);
    void Str(std::string_view s);
    void Value(const Variant& v);  // the variant a reference points at is sent, never the reference
    // The finished frame: length prefix and payload.
    const std::string& Frame();

private:
    void ValueAt(const Variant& v, int depth);

    IRemoteObjectMap* objects_;
    std::string buffer_;
};

// Reads one payload; every read checks the remaining length and raises ERemoteProtocolError, as does a
// payload that holds more than maxValues values in all (0: no cap).
class TWireReader {
public:
    TWireReader(std::string_view payload, IRemoteObjectMap* objects = nullptr, std::size_t maxValues = 0);
    TRemoteMessage Message();
    std::uint8_t U8();
    std::uint32_t U32();
    std::uint64_t U64();
    std::string Str();
    Variant Value();
    bool AtEnd() const { return pos_ == data_.size(); }
    void ExpectEnd() const;  // trailing bytes are a protocol error too

private:
    Variant ValueAt(int depth);
    Variant ArrayAt(int depth);
    void Count(std::int64_t values);
    void Need(std::size_t n) const;
    std::string_view Take(std::size_t n);

    std::string_view data_;
    std::size_t pos_ = 0;
    IRemoteObjectMap* objects_;
    std::size_t maxValues_;
    std::size_t values_ = 0;
};

// The toolkit's connection error texts.
std::string ConnectErrorText(const std::string& address, int port, const std::string& reason);
std::string ConnectionLostText(const std::string& address, int port, const std::string& reason);

// Raises the exception a server reported, as its class when the toolkit knows it (EOleError otherwise).
[[noreturn]] void RaiseRemoteError(const std::string& className, const std::string& message);
