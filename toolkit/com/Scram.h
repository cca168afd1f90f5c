#pragma once
// Password proofs in the style of SCRAM-SHA-256: the server keeps, per user, a salt, an iteration
// count and two keys derived from the password (PBKDF2-HMAC-SHA256), never the password or anything
// that alone lets one log in. At login the client proves it knows the password by a proof bound to
// both sides' fresh nonces; the server answers with its own signature, which proves it holds the keys.
// Neither the password nor its hash travels.
#include <string>

struct TScramVerifier {
    std::string Salt;  // random bytes
    int Iterations = 0;
    std::string StoredKey;  // SHA-256(ClientKey)
    std::string ServerKey;  // HMAC(SaltedPassword, "Server Key")
};

inline constexpr int kScramIterations = 100000;   // what new passwords get
inline constexpr int kScramMinIterations = 4096;  // less than this is refused by clients
inline constexpr int kScramMaxIterations = 10000000;

std::string RandomBytes(std::size_t count);  // from the system's cryptographic generator
std::string HexText(const std::string& bytes);
std::string HexBytes(const std::string& hex);  // "" for text that is not hexadecimal of even length

// The verifier of a password with a new random salt (or the salt given).
TScramVerifier MakeScramVerifier(const std::string& password, int iterations = kScramIterations, const std::string& salt = {});

// What both sides sign: everything the exchange agreed on, so no part can be swapped.
std::string ScramAuthMessage(const std::string& user, const std::string& clientNonce, const std::string& serverNonce,
                             const std::string& salt, int iterations, const std::string& serverName);

// The client's side: the proof and the server signature it must receive back.
struct TScramClientResult {
    std::string Proof;
    std::string ExpectedServerSignature;
};
TScramClientResult ScramClientProof(const std::string& password, const std::string& salt, int iterations,
                                    const std::string& authMessage);

// The server's side: true when the proof was made with the password the verifier was made from.
bool ScramProofValid(const TScramVerifier& verifier, const std::string& authMessage, const std::string& proof);
std::string ScramServerSignature(const TScramVerifier& verifier, const std::string& authMessage);

// Compares secrets in time that does not depend on where they differ.
bool SameSecret(const std::string& a, const std::string& b);
