#include "toolkit/com/Scram.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

#include "toolkit/rtl/Exception.h"

namespace {

constexpr std::size_t kKeyBytes = 32;
constexpr std::size_t kSaltBytes = 16;

const unsigned char* Data(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

std::string Hmac(const std::string& key, const std::string& text) {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()), Data(text), text.size(), out, &length))
        throw Exception("HMAC-SHA256 failed");
    return std::string(reinterpret_cast<char*>(out), length);
}

std::string Sha256(const std::string& text) {
    unsigned char out[SHA256_DIGEST_LENGTH];
    SHA256(Data(text), text.size(), out);
    return std::string(reinterpret_cast<char*>(out), sizeof out);
}

std::string SaltedPassword(const std::string& password, const std::string& salt, int iterations) {
    std::string out(kKeyBytes, '\0');
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), Data(salt), static_cast<int>(salt.size()),
                          iterations, EVP_sha256(), static_cast<int>(out.size()),
                          reinterpret_cast<unsigned char*>(out.data())) != 1)
        throw Exception("PBKDF2-HMAC-SHA256 failed");
    return out;
}

std::string Xor(const std::string& a, const std::string& b) {
    std::string out(a);
    for (std::size_t i = 0; i < out.size() && i < b.size(); ++i) out[i] = static_cast<char>(out[i] ^ b[i]);
    return out;
}

}  // namespace

std::string RandomBytes(std::size_t count) {
    std::string out(count, '\0');
    if (count > 0 && RAND_bytes(reinterpret_cast<unsigned char*>(out.data()), static_cast<int>(count)) != 1)
        throw Exception("The system's random generator failed");
    return out;
}

std::string HexText(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

std::string HexBytes(const std::string& hex) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0) return {};
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int hi = digit(hex[i]), lo = digit(hex[i + 1]);
        if (hi < 0 || lo < 0) return {};
        out.push_back(static_cast<char>(hi * 16 + lo));
    }
    return out;
}

TScramVerifier MakeScramVerifier(const std::string& password, int iterations, const std::string& salt) {
    TScramVerifier v;
    v.Salt = salt.empty() ? RandomBytes(kSaltBytes) : salt;
    v.Iterations = iterations;
    std::string salted = SaltedPassword(password, v.Salt, iterations);
    v.StoredKey = Sha256(Hmac(salted, "Client Key"));
    v.ServerKey = Hmac(salted, "Server Key");
    return v;
}

std::string ScramAuthMessage(const std::string& user, const std::string& clientNonce, const std::string& serverNonce,
                             const std::string& salt, int iterations, const std::string& serverName) {
    // Lengths first, so that no two different exchanges give the same text.
    std::string out;
    for (const std::string* part : {&user, &clientNonce, &serverNonce, &salt, &serverName})
        out += std::to_string(part->size()) + ":" + *part + ",";
    return out + std::to_string(iterations);
}

TScramClientResult ScramClientProof(const std::string& password, const std::string& salt, int iterations,
                                    const std::string& authMessage) {
    std::string salted = SaltedPassword(password, salt, iterations);
    std::string clientKey = Hmac(salted, "Client Key");
    std::string signature = Hmac(Sha256(clientKey), authMessage);
    return {Xor(clientKey, signature), Hmac(Hmac(salted, "Server Key"), authMessage)};
}

bool ScramProofValid(const TScramVerifier& verifier, const std::string& authMessage, const std::string& proof) {
    if (proof.size() != kKeyBytes || verifier.StoredKey.size() != kKeyBytes) return false;
    std::string clientKey = Xor(proof, Hmac(verifier.StoredKey, authMessage));
    return SameSecret(Sha256(clientKey), verifier.StoredKey);
}

std::string ScramServerSignature(const TScramVerifier& verifier, const std::string& authMessage) {
    return Hmac(verifier.ServerKey, authMessage);
}

bool SameSecret(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}
