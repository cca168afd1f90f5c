#include "toolkit/com/RemoteProtocol.h"

#include <cstring>
#include <limits>

namespace {
[[noreturn]] void Malformed(const std::string& what) { throw ERemoteProtocolError("malformed frame: " + what); }
}  // namespace

// --- writing ----------------------------------------------------------------------------------------

TWireWriter::TWireWriter(IRemoteObjectMap* objects) : objects_(objects) { buffer_.assign(4, '\0'); }

void TWireWriter::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) buffer_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void TWireWriter::U64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) buffer_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void TWireWriter::Str(std::string_view s) {
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) throw ERemoteProtocolError("text too long to send");
    U32(static_cast<std::uint32_t>(s.size()));
    buffer_.append(s.data(), s.size());
}

void TWireWriter::Value(const Variant& v) { ValueAt(v.Deref(), 0); }

void TWireWriter::ValueAt(const Variant& value, int depth) {
    const Variant& v = value.Deref();
    if (depth > kMaxVariantDepth) throw ERemoteProtocolError("arrays nested too deeply to send");
    VarType type = v.Type();
    U8(static_cast<std::uint8_t>(type));
    switch (type) {
        case VarType::Empty:
        case VarType::Null: break;
        case VarType::Boolean: U8(v.AsBool() ? 1 : 0); break;
        case VarType::Integer: U64(static_cast<std::uint64_t>(v.AsInt64())); break;
        case VarType::Double:
        case VarType::Date: {
            double d = type == VarType::Date ? v.AsDateTime() : v.AsDouble();
            std::uint64_t bits;
            std::memcpy(&bits, &d, sizeof bits);
            U64(bits);
            break;
        }
        case VarType::String: Str(v.AsString()); break;
        case VarType::Bytes: {
            Bytes b = v.AsBytes();
            Str(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
            break;
        }
        case VarType::Array: {
            int dims = v.DimCount();
            if (dims < 1 || dims > 2) throw ERemoteProtocolError("only arrays of one or two dimensions can be sent");
            U8(static_cast<std::uint8_t>(dims));
            for (int d = 1; d <= dims; ++d) {
                U32(static_cast<std::uint32_t>(v.Low(d)));
                U32(static_cast<std::uint32_t>(v.High(d)));
            }
            // 64-bit indexes: a bound at INT_MAX must not overflow the loop.
            if (dims == 1) {
                for (std::int64_t i = v.Low(); i <= v.High(); ++i) ValueAt(v[static_cast<int>(i)], depth + 1);
            } else {
                for (std::int64_t i = v.Low(1); i <= v.High(1); ++i)
                    for (std::int64_t j = v.Low(2); j <= v.High(2); ++j)
                        ValueAt(v.At(static_cast<int>(i), static_cast<int>(j)), depth + 1);
            }
            break;
        }
        case VarType::Dispatch: {
            if (!objects_) throw ERemoteProtocolError("an automation object cannot be sent here");
            U64(objects_->ExportObject(v.AsDispatch()));
            break;
        }
        case VarType::ByRef: throw ERemoteProtocolError("a reference inside a value cannot be sent");
    }
}

const std::string& TWireWriter::Frame() {
    std::size_t length = buffer_.size() - 4;
    if (length > std::numeric_limits<std::uint32_t>::max()) throw ERemoteProtocolError("message too large to send");
    for (int i = 0; i < 4; ++i) buffer_[static_cast<std::size_t>(i)] = static_cast<char>((length >> (8 * (3 - i))) & 0xFF);
    return buffer_;
}

// --- reading ----------------------------------------------------------------------------------------

TWireReader::TWireReader(std::string_view payload, IRemoteObjectMap* objects, std::size_t maxValues)
    : data_(payload), objects_(objects), maxValues_(maxValues) {}

void TWireReader::Count(std::int64_t values) {
    values_ += static_cast<std::size_t>(values);
    if (maxValues_ > 0 && values_ > maxValues_) Malformed("more than " + std::to_string(maxValues_) + " values in one message");
}

void TWireReader::Need(std::size_t n) const {
    if (data_.size() - pos_ < n) Malformed("truncated at byte " + std::to_string(pos_));
}

std::string_view TWireReader::Take(std::size_t n) {
    Need(n);
    std::string_view s = data_.substr(pos_, n);
    pos_ += n;
    return s;
}

std::uint8_t TWireReader::U8() { return static_cast<std::uint8_t>(Take(1)[0]); }

std::uint32_t TWireReader::U32() {
    std::string_view s = Take(4);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(s[static_cast<std::size_t>(i)])) << (8 * i);
    return v;
}

std::uint64_t TWireReader::U64() {
    std::string_view s = Take(8);
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= static_cast<std::uint64_t>(static_cast<unsigned char>(s[static_cast<std::size_t>(i)])) << (8 * i);
    return v;
}

std::string TWireReader::Str() {
    std::uint32_t n = U32();
    return std::string(Take(n));
}

TRemoteMessage TWireReader::Message() {
    std::uint8_t kind = U8();
    if (kind < static_cast<std::uint8_t>(TRemoteMessage::Hello) || kind > static_cast<std::uint8_t>(TRemoteMessage::Proof))
        Malformed("unknown message kind " + std::to_string(kind));
    return static_cast<TRemoteMessage>(kind);
}

Variant TWireReader::Value() { return ValueAt(0); }

Variant TWireReader::ValueAt(int depth) {
    if (depth > kMaxVariantDepth) Malformed("arrays nested deeper than " + std::to_string(kMaxVariantDepth));
    Count(1);
    std::uint8_t tag = U8();
    switch (static_cast<VarType>(tag)) {
        case VarType::Empty: return Variant();
        case VarType::Null: return Variant::Null();
        case VarType::Boolean: {
            std::uint8_t b = U8();
            if (b > 1) Malformed("boolean value " + std::to_string(b));
            return Variant(b == 1);
        }
        case VarType::Integer: return Variant(static_cast<long long>(U64()));
        case VarType::Double:
        case VarType::Date: {
            std::uint64_t bits = U64();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return static_cast<VarType>(tag) == VarType::Date ? Variant::Date(d) : Variant(d);
        }
        case VarType::String: return Variant(Str());
        case VarType::Bytes: {
            std::uint32_t n = U32();
            std::string_view s = Take(n);
            return Variant(Bytes(s.begin(), s.end()));
        }
        case VarType::Array: return ArrayAt(depth);
        case VarType::Dispatch: {
            std::uint64_t id = U64();
            if (!objects_) Malformed("automation object where none may be");
            return Variant(objects_->ImportObject(id));
        }
        case VarType::ByRef: break;
    }
    Malformed("unknown value type " + std::to_string(tag));
}

Variant TWireReader::ArrayAt(int depth) {
    std::uint8_t dims = U8();
    if (dims < 1 || dims > 2) Malformed("array of " + std::to_string(dims) + " dimensions");
    std::vector<VarBound> bounds;
    std::int64_t count = 1;
    for (int d = 0; d < dims; ++d) {
        auto low = static_cast<std::int32_t>(U32());
        auto high = static_cast<std::int32_t>(U32());
        std::int64_t n = static_cast<std::int64_t>(high) - low + 1;
        if (n < 0) Malformed("array bounds " + std::to_string(low) + ".." + std::to_string(high));
        // Every element takes at least its type byte: a count beyond the bytes left is a lie, for each
        // dimension too (an empty first one must not let any second one through).
        std::int64_t left = static_cast<std::int64_t>(data_.size() - pos_);
        count *= n;
        if (n > left || count > left) Malformed("array larger than the frame");
        bounds.push_back({low, high});
    }
    // The elements are counted before the array that holds them is made.
    if (maxValues_ > 0 && values_ + static_cast<std::size_t>(count) > maxValues_)
        Malformed("more than " + std::to_string(maxValues_) + " values in one message");
    Variant array = Variant::MakeArray(bounds);
    // Indexes run in 64 bits: a bound at INT_MAX must not overflow the loop.
    auto index = [](const VarBound& b, std::int64_t k) { return static_cast<int>(b.low + k); };
    std::int64_t rows = static_cast<std::int64_t>(bounds[0].high) - bounds[0].low + 1;
    if (dims == 1) {
        for (std::int64_t i = 0; i < rows; ++i) array[index(bounds[0], i)] = ValueAt(depth + 1);
    } else {
        std::int64_t columns = static_cast<std::int64_t>(bounds[1].high) - bounds[1].low + 1;
        for (std::int64_t i = 0; i < rows; ++i)
            for (std::int64_t j = 0; j < columns; ++j) array.At(index(bounds[0], i), index(bounds[1], j)) = ValueAt(depth + 1);
    }
    return array;
}

void TWireReader::ExpectEnd() const {
    if (!AtEnd()) Malformed(std::to_string(data_.size() - pos_) + " bytes after the end of the message");
}

// --- texts and errors -------------------------------------------------------------------------------

std::string ConnectErrorText(const std::string& address, int port, const std::string& reason) {
    return "Unable to connect to " + address + ":" + std::to_string(port) + ": " + reason;
}

std::string ConnectionLostText(const std::string& address, int port, const std::string& reason) {
    return "Connection to " + address + ":" + std::to_string(port) + " lost: " + reason;
}

void RaiseRemoteError(const std::string& className, const std::string& message) {
    if (className == "EAbort") throw EAbort(message);
    if (className == "EDatabaseError" || className == "EReconcileError") throw EDatabaseError(message);
    if (className == "EConvertError") throw EConvertError(message);
    if (className == "EVariantError") throw EVariantError(message);
    if (className == "ESocketConnectionError") throw ESocketConnectionError(message);
    throw EOleError(message);
}
