#include <gtest/gtest.h>

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

}  // namespace

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
