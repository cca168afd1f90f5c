// Password proofs: the keys are PBKDF2-HMAC-SHA256 as published, a proof fits only its password and its
// exchange, and the server's signature proves the server holds the keys.
#include <gtest/gtest.h>

#include "toolkit/com/Scram.h"

TEST(Scram, KeysFollowPbkdf2HmacSha256AndProofsFitOnlyTheirPasswordAndExchange) {
    // Derived independently: PBKDF2-HMAC-SHA256("password", "salt", 4096), then the two HMAC keys.
    TScramVerifier known = MakeScramVerifier("password", 4096, "salt");
    EXPECT_EQ(HexText(known.StoredKey), "945e1c466fc9932efadc23781edc5d1e78d5e10f005933652af1a6105154f084");
    EXPECT_EQ(HexText(known.ServerKey), "b9bf0e811b1fb6793671c0cc3adedf7c75cd72291191092ad65878c5a02aad2c");

    TScramVerifier v = MakeScramVerifier("秘密 pass", kScramMinIterations);
    EXPECT_EQ(v.Salt.size(), 16u);
    EXPECT_NE(MakeScramVerifier("秘密 pass", kScramMinIterations).Salt, v.Salt);  // a new salt each time

    std::string message = ScramAuthMessage("DS", RandomBytes(24), RandomBytes(24), v.Salt, v.Iterations, "Nexor01S.Class1");
    TScramClientResult right = ScramClientProof("秘密 pass", v.Salt, v.Iterations, message);
    EXPECT_TRUE(ScramProofValid(v, message, right.Proof));
    EXPECT_TRUE(SameSecret(right.ExpectedServerSignature, ScramServerSignature(v, message)));
    // The proof reveals neither the password nor the stored key.
    EXPECT_EQ(right.Proof.find("秘密"), std::string::npos);
    EXPECT_NE(right.Proof, v.StoredKey);

    EXPECT_FALSE(ScramProofValid(v, message, ScramClientProof("秘密 Pass", v.Salt, v.Iterations, message).Proof));
    // A proof seen once is worth nothing in another exchange (other nonces, other server).
    std::string replay = ScramAuthMessage("DS", RandomBytes(24), RandomBytes(24), v.Salt, v.Iterations, "Nexor01S.Class1");
    EXPECT_FALSE(ScramProofValid(v, replay, right.Proof));
    EXPECT_FALSE(ScramProofValid(v, ScramAuthMessage("DS", "a", "b", v.Salt, v.Iterations, "PickvuS.Class1"), right.Proof));
    EXPECT_FALSE(ScramProofValid(v, message, right.Proof.substr(1)));
    // Parts of the message cannot be shifted from one field to the next.
    EXPECT_NE(ScramAuthMessage("ab", "c", "d", "s", 1, "x"), ScramAuthMessage("a", "bc", "d", "s", 1, "x"));

    EXPECT_EQ(HexBytes(HexText(std::string("\x00\xff\x10", 3))), std::string("\x00\xff\x10", 3));
    EXPECT_EQ(HexBytes("0g"), "");
    EXPECT_EQ(HexBytes("abc"), "");
}
