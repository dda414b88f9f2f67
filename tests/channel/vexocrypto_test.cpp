#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "vexocrypto.h"

namespace {

std::vector<char> Seal(const std::string& text)
{
    std::vector<char> out(static_cast<size_t>(VEXOCryptoEncryptLength(text.size())));
    int n = VEXOCryptoEncrypt(out.data(), out.size(), text.data(), text.size());
    EXPECT_GT(n, 0);
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

int Open(const std::vector<char>& envelope, std::string& text)
{
    std::vector<char> out(envelope.size() + 8);
    int n = VEXOCryptoDecrypt(out.data(), out.size(), envelope.data(), envelope.size());
    text.assign(out.data(), n > 0 ? static_cast<size_t>(n) : 0);
    return n;
}

std::vector<unsigned char> Hex(const std::string& hex)
{
    std::vector<unsigned char> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::vector<unsigned char> Be32(uint32_t v)
{
    return {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
            static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
}

const std::vector<unsigned char> kRelayFillers = Hex("c1c2" "d1d2d3d4");

// Envelopes computed without this code, with the shell's tools: the seed
// times 0x5DEECE66 plus 0x2F6B1C4D (mod 2^32) as 4 big-endian bytes; the key
// is their SHA-1 digest followed by the first 4 bytes of their MD5 digest
// (`openssl dgst -sha1`/`-md5`); the IV is 0x51A7E3C9 and 0x8B0D6F24, each
// XOR 0x1F2E3D4C, big-endian; the ciphertext comes from
// `openssl enc -des-ede3-cbc -K <key> -iv 4e89de8594235268 -nosalt`.
// A relay built from the same description opens what we seal, and we open
// what it seals.
struct FixedEnvelope {
    const char* name;
    uint32_t seed;
    std::string plaintext;  // the token text with its terminating zero byte
    const char* key;        // for whoever checks a relay by hand
    const char* ciphertext;
};

const FixedEnvelope kFixedEnvelopes[] = {
    {"zero seed", 0x00000000u, std::string("127.0.0.1:3362", 15), "cea4de88233198143e710b128282678ae8888751c3c63842",
     "feda8a961b2c1ab322a120b365689572"},
    {"empty text", 0x01020304u, std::string(), "d2e5bf85c16b4a86f40b5d36ceffb0ec88acfb8b857bba91",
     "375aaa05937ca0e2"},
    {"all-ones seed, three blocks", 0xFFFFFFFFu, std::string("files.example.org:3362", 23),
     "f57723b0ddb583657fc24fd65e34aa0f8142f01caec44e5b", "e29a9d8dff13b78883a2915d059755ddab04310994287723"},
};

}  // namespace

TEST(VexoCryptoTest, FixedEnvelopesSealAndOpen)
{
    for (const FixedEnvelope& v : kFixedEnvelopes) {
        SCOPED_TRACE(v.name);
        const std::vector<unsigned char> cipher = Hex(v.ciphertext);

        std::vector<char> out(static_cast<size_t>(VEXOCryptoEncryptLength(v.plaintext.size())));
        int n = VEXOCryptoSealWithSeed(out.data(), out.size(), v.plaintext.data(), v.plaintext.size(), v.seed);
        ASSERT_EQ(static_cast<int>(cipher.size() + 26), n);
        const unsigned char* e = reinterpret_cast<const unsigned char*>(out.data());
        EXPECT_EQ(Hex("ffff0001"), std::vector<unsigned char>(e, e + 4));
        const std::vector<unsigned char> seed = Be32(v.seed);
        const std::vector<unsigned char> length = Be32(static_cast<uint32_t>(cipher.size()));
        EXPECT_EQ(seed, std::vector<unsigned char>(e + 10, e + 14));
        EXPECT_EQ(length, std::vector<unsigned char>(e + 20, e + 24));
        EXPECT_EQ(cipher, std::vector<unsigned char>(e + 24, e + 24 + cipher.size()));

        // An envelope as the relay would build it, with fillers of its own choice.
        std::vector<unsigned char> envelope = Hex("ffff0001" "a1a2a3a4" "b1b2");
        for (const std::vector<unsigned char>* part : {&seed, &kRelayFillers, &length, &cipher})
            envelope.insert(envelope.end(), part->begin(), part->end());
        envelope.push_back(0xe1);
        envelope.push_back(0xe2);
        std::string text;
        const std::vector<char> sealed(envelope.begin(), envelope.end());
        EXPECT_EQ(static_cast<int>(v.plaintext.size()), Open(sealed, text));
        EXPECT_EQ(v.plaintext, text);
    }
}

TEST(VexoCryptoTest, SealAndOpenRoundTrip)
{
    for (const std::string& text : {std::string("127.0.0.1:3362", 15), std::string(7, 'x'), std::string(8, 'y'),
                                    std::string(1000, 'z')}) {
        std::vector<char> envelope = Seal(text);
        ASSERT_EQ(text.size() / 8 * 8 + 8 + 26, envelope.size());
        std::string back;
        EXPECT_EQ(static_cast<int>(text.size()), Open(envelope, back));
        EXPECT_EQ(text, back);
    }
    EXPECT_EQ(34, VEXOCryptoEncryptLength(0));
    EXPECT_EQ(34u, Seal("").size());
}

TEST(VexoCryptoTest, EnvelopesOfTheSameTextDiffer)
{
    std::vector<char> a = Seal("host:1"), b = Seal("host:1");
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(0, std::memcmp(a.data(), b.data(), 4));        // magic and version
    EXPECT_EQ(0, std::memcmp(&a[20], &b[20], 4));            // ciphertext length
    EXPECT_NE(0, std::memcmp(&a[10], &b[10], 4));            // seed
    EXPECT_NE(0, std::memcmp(&a[24], &b[24], a.size() - 26)); // ciphertext under another key
}

TEST(VexoCryptoTest, InvalidEnvelopesAreRefused)
{
    std::vector<char> good = Seal("target:1");
    std::string text;
    struct Row {
        const char* name;
        std::vector<char> envelope;
    };
    std::vector<char> bad_magic = good, new_version = good, truncated = good, long_length = good;
    bad_magic[0] = 0x12;
    new_version[3] = 2;
    truncated.resize(good.size() - 3);
    long_length[20] = 0x7f;
    std::vector<char> empty_cipher(26, 0);
    empty_cipher[0] = empty_cipher[1] = static_cast<char>(0xff);
    empty_cipher[3] = 1;
    const Row rows[] = {{"bad magic", bad_magic},       {"newer version", new_version},
                        {"truncated", truncated},       {"length beyond the data", long_length},
                        {"26 bytes", empty_cipher},     {"empty", {}}};
    for (const Row& row : rows)
        EXPECT_EQ(0, Open(row.envelope, text)) << row.name;
    std::vector<char> small(10);
    EXPECT_EQ(-1, VEXOCryptoEncrypt(small.data(), small.size(), "abc", 3));
}

TEST(VexoCryptoTest, Base64RoundTripAndLimits)
{
    const std::string data = "\x01\x02\xff tunnel token";
    char encoded[64];
    int n = VEXOCryptoBase64Encode(encoded, sizeof encoded, data.data(), data.size());
    ASSERT_EQ(24, n);
    char decoded[64];
    EXPECT_EQ(static_cast<int>(data.size()), VEXOCryptoBase64Decode(decoded, sizeof decoded, encoded, n));
    EXPECT_EQ(data, std::string(decoded, data.size()));
    EXPECT_EQ(5, VEXOCryptoBase64Encode(encoded, 5, data.data(), data.size()));  // copies at most 5
    EXPECT_EQ(-1, VEXOCryptoBase64Decode(decoded, sizeof decoded, "abc", 3));
}
