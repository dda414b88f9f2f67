#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "proxy_ntlm.h"

using namespace VexoProxy;

namespace {

std::vector<uint8_t> Hex(const std::string& hex)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::vector<uint8_t> Bytes(const uint8_t* p, size_t n) { return std::vector<uint8_t>(p, p + n); }

uint32_t Le16(const std::vector<uint8_t>& m, size_t at) { return m[at] | (m[at + 1] << 8); }
uint32_t Le32(const std::vector<uint8_t>& m, size_t at) { return Le16(m, at) | (Le16(m, at + 2) << 16); }

std::vector<uint8_t> Utf16(const std::string& ascii)
{
    std::vector<uint8_t> out;
    for (char c : ascii) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> FieldOf(const std::vector<uint8_t>& m, size_t at)
{
    size_t len = Le16(m, at), off = Le32(m, at + 4);
    return std::vector<uint8_t>(m.begin() + static_cast<long>(off), m.begin() + static_cast<long>(off + len));
}

const std::vector<uint8_t> kChallenge = Hex("0123456789abcdef");

void PutLe(std::vector<uint8_t>& m, size_t at, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        m[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// A type-2 message of `length` bytes with the target-information flag; its
// fields (when they fit) name info_len bytes at info_offset, a 32-bit offset.
std::vector<uint8_t> Type2(size_t length, size_t info_len, uint32_t info_offset,
                           uint32_t flags = kNtlmNegotiateTargetInfo)
{
    std::vector<uint8_t> m(length, 0);
    const uint8_t sig[8] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0};
    std::memcpy(m.data(), sig, 8);
    m[8] = 2;
    if (length >= 24)
        PutLe(m, 20, flags, 4);
    if (length >= 32)
        std::memcpy(&m[24], kChallenge.data(), 8);
    if (length >= 48) {
        PutLe(m, 40, static_cast<uint32_t>(info_len), 2);
        PutLe(m, 42, static_cast<uint32_t>(info_len), 2);
        PutLe(m, 44, info_offset, 4);
    }
    for (size_t i = 48; i < length; ++i)
        m[i] = static_cast<uint8_t>(i);
    return m;
}

// The same without the flag: an older server's layout, whose payload (here
// a 20-byte target name) starts right after the challenge's reserved bytes.
std::vector<uint8_t> Type2WithoutTargetInfo()
{
    std::vector<uint8_t> m = Type2(60, 0, 0, 0);
    PutLe(m, 12, 20, 2);
    PutLe(m, 14, 20, 2);
    PutLe(m, 16, 40, 4);
    for (size_t i = 40; i < 60; ++i)
        m[i] = 0xff;  // read as target-information fields they would run far outside
    return m;
}

// A target name of name_len bytes at name_offset.
std::vector<uint8_t> WithTargetName(std::vector<uint8_t> m, size_t name_len, uint32_t name_offset)
{
    PutLe(m, 12, static_cast<uint32_t>(name_len), 2);
    PutLe(m, 14, static_cast<uint32_t>(name_len), 2);
    PutLe(m, 16, name_offset, 4);
    return m;
}

VEXO_PROXY_AUTH_DATA Auth(const char* user, const char* password, const char* domain, const char* host, bool v2)
{
    VEXO_PROXY_AUTH_DATA a = {user, password, domain, host, v2 ? 1 : 0, v2 ? 0 : 1, v2 ? 0 : 1, 0};
    return a;
}

}  // namespace

// Published NTLM test vectors: user "User", domain "Domain", password "Password".
TEST(NtlmHashTest, KnownVectorsV1)
{
    uint8_t nt[21], lm[16], resp[24];
    ASSERT_TRUE(ntlm_hash_nt_password("Password", nt));
    EXPECT_EQ(Hex("a4f49c406510bdcab6824ee7c30fd852"), Bytes(nt, 16));
    EXPECT_EQ(std::vector<uint8_t>(5, 0), Bytes(nt + 16, 5));
    ASSERT_TRUE(ntlm_hash_lm_password("Password", lm));
    EXPECT_EQ(Hex("e52cac67419a9a224a3b108f3fa6cb6d"), Bytes(lm, 16));
    ASSERT_TRUE(ntlm_calc_resp(nt, kChallenge.data(), resp));
    EXPECT_EQ(Hex("67c43011f30298a2ad35ece64f16331c44bdbed927841f94"), Bytes(resp, 24));
    ASSERT_TRUE(ntlm_calc_resp(lm, kChallenge.data(), resp));
    EXPECT_EQ(Hex("98def7b87f88aa5dafe2df779688a172def11c7d5ccdef13"), Bytes(resp, 24));
}

TEST(NtlmHashTest, KnownVectorV2LmAndBlobLayout)
{
    const std::vector<uint8_t> key = Hex("0c868a403bfd7a93a3001ef22ef02e3f");
    const std::vector<uint8_t> nonce = Hex("aaaaaaaaaaaaaaaa");
    const std::vector<uint8_t> info =
        Hex("02000c0044006f006d00610069006e0001000c005300650072007600650072000000000000");
    std::vector<uint8_t> nt, lm;
    ASSERT_TRUE(ntlm2_responses(key.data(), kChallenge.data(), nonce.data(), 0, info, nt, lm));
    EXPECT_EQ(Hex("86c35097ac9cec102554764a57cccc19aaaaaaaaaaaaaaaa"), lm);
    ASSERT_EQ(16 + 32 + info.size(), nt.size());
    // The blob after the proof: 0x0101, zeros, timestamp, nonce, zeros, target info, zeros.
    std::vector<uint8_t> blob(nt.begin() + 16, nt.end());
    std::vector<uint8_t> expect = Hex("0101000000000000" "0000000000000000" "aaaaaaaaaaaaaaaa" "00000000");
    expect.insert(expect.end(), info.begin(), info.end());
    expect.insert(expect.end(), 4, 0);
    EXPECT_EQ(expect, blob);
}

TEST(NtlmHashTest, LmHashUsesOnlyTheFirst14UpperCasedBytes)
{
    uint8_t empty[16], a[16], b[16], c[16];
    ASSERT_TRUE(ntlm_hash_lm_password("", empty));
    EXPECT_EQ(Bytes(empty, 8), Bytes(empty + 8, 8));
    ASSERT_TRUE(ntlm_hash_lm_password("abcdefghijklmnXYZ", a));
    ASSERT_TRUE(ntlm_hash_lm_password("ABCDEFGHIJKLMN", b));
    EXPECT_EQ(Bytes(a, 16), Bytes(b, 16));
    uint8_t nt_long[21], nt_short[21];
    ASSERT_TRUE(ntlm_hash_nt_password("abcdefghijklmnXYZ", nt_long));
    ASSERT_TRUE(ntlm_hash_nt_password("abcdefghijklmn", nt_short));
    EXPECT_NE(Bytes(nt_long, 16), Bytes(nt_short, 16));
    ASSERT_TRUE(ntlm_hash_lm_password("ABCDEFGHIJKLM", c));
    EXPECT_NE(Bytes(b, 16), Bytes(c, 16));
}

TEST(NtlmMessageTest, Type1Layout)
{
    std::vector<uint8_t> m;
    VEXO_PROXY_AUTH_DATA empty = Auth("u", "p", "", "", false);
    ASSERT_EQ(32, VEXOProxyClientPrepareNTLMRequest(m, &empty));
    EXPECT_EQ(1u, Le32(m, 8));
    EXPECT_EQ(kNtlmV1NegotiateFlags, Le32(m, 12));
    EXPECT_EQ(32u, Le32(m, 20));
    EXPECT_EQ(32u, Le32(m, 28));

    VEXO_PROXY_AUTH_DATA named = Auth("u", "p", "corp", "ws01", true);
    ASSERT_EQ(40, VEXOProxyClientPrepareNTLMRequest(m, &named));
    EXPECT_EQ(kNtlmV2NegotiateFlags, Le32(m, 12));
    EXPECT_EQ(4u, Le16(m, 16));
    EXPECT_EQ(36u, Le32(m, 20));
    EXPECT_EQ(4u, Le16(m, 24));
    EXPECT_EQ("WS01CORP", std::string(m.begin() + 32, m.end()));

    VEXO_PROXY_AUTH_DATA none = Auth("u", "p", "", "", false);
    none.hashnt = 0;
    EXPECT_EQ(-1, VEXOProxyClientPrepareNTLMRequest(m, &none));
    EXPECT_EQ(-6, VEXOProxyClientPrepareNTLMRequest(m, nullptr));
}

TEST(NtlmMessageTest, Type3LayoutV1)
{
    std::vector<uint8_t> m;
    VEXO_PROXY_AUTH_DATA a = Auth("User", "Password", "Domain", "ws01", false);
    std::vector<uint8_t> t2 = Type2(32, 0, 0, 0);
    int n = VEXOProxyClientNTLMResponseType3Cal(m, t2.data(), t2.size(), &a);
    ASSERT_EQ(static_cast<int>(m.size()), n);
    EXPECT_EQ(3u, Le32(m, 8));
    EXPECT_EQ(Utf16("DOMAIN"), FieldOf(m, 28));
    EXPECT_EQ(64u, Le32(m, 32));
    EXPECT_EQ(Utf16("User"), FieldOf(m, 36));
    EXPECT_EQ(Utf16("WS01"), FieldOf(m, 44));
    EXPECT_EQ(Hex("98def7b87f88aa5dafe2df779688a172def11c7d5ccdef13"), FieldOf(m, 12));
    EXPECT_EQ(Hex("67c43011f30298a2ad35ece64f16331c44bdbed927841f94"), FieldOf(m, 20));
    EXPECT_EQ(Le32(m, 16) + 24, Le32(m, 24));  // the NT response right after the LM response
    EXPECT_EQ(m.size(), Le32(m, 56));          // empty session key at the end
}

// Every offset and length of a type-2 message is checked against its size,
// and its target information is read only when the negotiate flag announces
// it. NTLMv1 needs none; NTLMv2 without it fails with its own code.
TEST(NtlmMessageTest, Type2BoundsAndTargetInformation)
{
    const int kOk = 1;
    struct Row {
        const char* name;
        std::vector<uint8_t> type2;
        int v1;                  // kOk or the failure code
        int v2;
        size_t info_len;         // target information carried in the NTLMv2 blob
    };
    const int kBad = kNtlmErrBadChallenge, kNoInfo = kNtlmErrNoTargetInfo;
    const Row rows[] = {
        {"24 bytes", Type2(24, 0, 0), kBad, kBad, 0},
        {"31 bytes: challenge cut short", Type2(31, 0, 0), kBad, kBad, 0},
        {"wrong message type", [] { auto m = Type2(48, 0, 48); m[8] = 3; return m; }(), kBad, kBad, 0},
        {"32 bytes without the flag", Type2(32, 0, 0, 0), kOk, kNoInfo, 0},
        {"45 bytes without the flag", Type2(45, 0, 0, 0), kOk, kNoInfo, 0},
        // NTLMv1 reads only the challenge: damaged target information is
        // NTLMv2's concern alone.
        {"flag, but its fields cut off", Type2(46, 0, 0), kOk, kBad, 0},
        {"payload at 40 without the flag", Type2WithoutTargetInfo(), kOk, kNoInfo, 0},
        {"flag with empty target info", Type2(48, 0, 48), kOk, kNoInfo, 0},
        {"target info inside", Type2(70, 12, 48), kOk, kOk, 12},
        {"target info up to the end", Type2(60, 12, 48), kOk, kOk, 12},
        {"target info past the end", Type2(60, 13, 48), kOk, kBad, 0},
        {"offset past the end", Type2(60, 4, 200), kOk, kBad, 0},
        {"offset beyond 16 bits", Type2(60, 12, 0x10030), kOk, kBad, 0},
        {"huge length", Type2(60, 0xffff, 48), kOk, kBad, 0},
        // The target name is never read, wherever it claims to be.
        {"target name inside", WithTargetName(Type2(70, 12, 48), 10, 60), kOk, kOk, 12},
        {"target name past the end", WithTargetName(Type2(70, 12, 48), 11, 60), kOk, kOk, 12},
        {"target name offset beyond 32 bits", WithTargetName(Type2(70, 12, 48), 1, 0xffffffffu), kOk, kOk, 12},
        {"empty target name anywhere", WithTargetName(Type2(70, 12, 48), 0, 0xffffffffu), kOk, kOk, 12},
    };
    for (const Row& row : rows) {
        for (bool v2 : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (v2 ? ", NTLMv2" : ", NTLMv1"));
            std::vector<uint8_t> m;
            VEXO_PROXY_AUTH_DATA a = Auth("u", "p", "d", "h", v2);
            int n = VEXOProxyClientNTLMResponseType3Cal(m, row.type2.data(), row.type2.size(), &a);
            const int expect = v2 ? row.v2 : row.v1;
            if (expect != kOk) {
                EXPECT_EQ(expect, n);
                continue;
            }
            ASSERT_GT(n, 0);
            std::vector<uint8_t> nt = FieldOf(m, 20);
            EXPECT_EQ(24u, FieldOf(m, 12).size());
            if (!v2) {
                EXPECT_EQ(24u, nt.size());
                continue;
            }
            ASSERT_EQ(16 + 32 + row.info_len, nt.size());
            EXPECT_EQ(std::vector<uint8_t>(row.type2.begin() + 48, row.type2.begin() + 48 + 12),
                      std::vector<uint8_t>(nt.begin() + 16 + 28, nt.end() - 4));
        }
    }
}

TEST(NtlmMessageTest, OversizedMessagesAreRefused)
{
    std::string long_name(1100, 'x');
    std::vector<uint8_t> m;
    VEXO_PROXY_AUTH_DATA a = Auth(long_name.c_str(), "p", "d", "h", false);
    std::vector<uint8_t> t2 = Type2(32, 0, 0, 0);
    EXPECT_EQ(-1, VEXOProxyClientNTLMResponseType3Cal(m, t2.data(), t2.size(), &a));
    std::string long_host(2100, 'h');
    VEXO_PROXY_AUTH_DATA b = Auth("u", "p", "d", long_host.c_str(), true);
    EXPECT_EQ(-1, VEXOProxyClientPrepareNTLMRequest(m, &b));
}
