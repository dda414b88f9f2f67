#include "proxy_ntlm.h"

#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <cstring>
#include <ctime>

#include "proxy_crypto.h"
#include "proxy_log.h"
#include "proxy_text.h"

namespace VexoProxy {

namespace {

const uint8_t kSignature[8] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0};
// Seconds between 1601-01-01 and 1970-01-01, in 100 ns units.
const uint64_t kEpochDelta1601 = 116444736000000000ULL;

void PutLe16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutLe64(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetLe16(const uint8_t* p) { return p[0] | (p[1] << 8); }

uint32_t GetLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// A security buffer descriptor: length, maximum length, offset.
void PutSecBuffer(uint8_t* p, size_t len, size_t offset)
{
    PutLe16(p, static_cast<uint32_t>(len));
    PutLe16(p + 2, static_cast<uint32_t>(len));
    PutLe32(p + 4, static_cast<uint32_t>(offset));
}

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

// A security buffer of a received message lies wholly inside its `length`
// bytes. An empty one may point anywhere: nothing is read through it.
bool FieldInside(size_t len, size_t offset, size_t length)
{
    return len == 0 || (offset <= length && len <= length - offset);
}

}  // namespace

bool ntlm_hash_nt_password(const std::string& password, uint8_t out[21])
{
    std::vector<uint8_t> unicode;
    if (StrToUnicode(password, unicode) < 0)
        return false;
    std::memset(out, 0, 21);
    bool ok = Md4Digest(unicode.data(), unicode.size(), out);
    OPENSSL_cleanse(unicode.data(), unicode.size());
    return ok;
}

bool ntlm_hash_lm_password(const std::string& password, uint8_t out[16])
{
    static const uint8_t kMagic[8] = {'K', 'G', 'S', '!', '@', '#', '$', '%'};
    uint8_t pw[14] = {0};
    std::memcpy(pw, password.data(), password.size() < 14 ? password.size() : 14);
    for (uint8_t& c : pw)
        if (c >= 'a' && c <= 'z')
            c = static_cast<uint8_t>(c - 'a' + 'A');
    uint8_t key[8];
    setup_des_key(pw, key);
    bool ok = DesEcbEncrypt(key, kMagic, out);
    setup_des_key(pw + 7, key);
    ok = ok && DesEcbEncrypt(key, kMagic, out + 8);
    OPENSSL_cleanse(pw, sizeof pw);
    OPENSSL_cleanse(key, sizeof key);
    return ok;
}

void setup_des_key(const uint8_t in[7], uint8_t key[8])
{
    key[0] = in[0];
    key[1] = static_cast<uint8_t>((in[0] << 7) | (in[1] >> 1));
    key[2] = static_cast<uint8_t>((in[1] << 6) | (in[2] >> 2));
    key[3] = static_cast<uint8_t>((in[2] << 5) | (in[3] >> 3));
    key[4] = static_cast<uint8_t>((in[3] << 4) | (in[4] >> 4));
    key[5] = static_cast<uint8_t>((in[4] << 3) | (in[5] >> 5));
    key[6] = static_cast<uint8_t>((in[5] << 2) | (in[6] >> 6));
    key[7] = static_cast<uint8_t>(in[6] << 1);
    // Odd parity in the low bit of each byte.
    for (int i = 0; i < 8; ++i)
        key[i] = static_cast<uint8_t>((key[i] & 0xfe) | (__builtin_parity(key[i] & 0xfe) ? 0 : 1));
}

bool ntlm_calc_resp(const uint8_t hash[16], const uint8_t challenge[8], uint8_t out[24])
{
    uint8_t padded[21] = {0};
    std::memcpy(padded, hash, 16);
    bool ok = true;
    for (int i = 0; i < 3 && ok; ++i) {
        uint8_t key[8];
        setup_des_key(padded + 7 * i, key);
        ok = DesEcbEncrypt(key, challenge, out + 8 * i);
    }
    OPENSSL_cleanse(padded, sizeof padded);
    return ok;
}

bool ntlm2_hash_password(const std::string& user, const std::string& domain, const std::string& password,
                         uint8_t out[16])
{
    uint8_t nt_hash[21];
    if (!ntlm_hash_nt_password(password, nt_hash))
        return false;
    std::vector<uint8_t> identity;
    bool ok = StrToUnicode(StrToUpper(user) + StrToUpper(domain), identity) >= 0 &&
              HmacMd5(nt_hash, 16, identity.data(), identity.size(), out);
    OPENSSL_cleanse(nt_hash, sizeof nt_hash);
    return ok;
}

bool ntlm2_responses(const uint8_t key[16], const uint8_t challenge[8], const uint8_t nonce[8],
                     uint64_t timestamp, const std::vector<uint8_t>& target_info, std::vector<uint8_t>& ntv2,
                     std::vector<uint8_t>& lmv2)
{
    // blob: 0x0101, six zero bytes, timestamp, nonce, four zero bytes, target info, four zero bytes.
    std::vector<uint8_t> blob(32 + target_info.size(), 0);
    blob[0] = 0x01;
    blob[1] = 0x01;
    PutLe64(&blob[8], timestamp);
    std::memcpy(&blob[16], nonce, 8);
    if (!target_info.empty())
        std::memcpy(&blob[28], target_info.data(), target_info.size());

    std::vector<uint8_t> text(8 + blob.size());
    std::memcpy(text.data(), challenge, 8);
    std::memcpy(text.data() + 8, blob.data(), blob.size());
    ntv2.assign(16, 0);
    if (!HmacMd5(key, 16, text.data(), text.size(), ntv2.data()))
        return false;
    ntv2.insert(ntv2.end(), blob.begin(), blob.end());

    uint8_t lm_text[16];
    std::memcpy(lm_text, challenge, 8);
    std::memcpy(lm_text + 8, nonce, 8);
    lmv2.assign(16, 0);
    if (!HmacMd5(key, 16, lm_text, sizeof lm_text, lmv2.data()))
        return false;
    lmv2.insert(lmv2.end(), nonce, nonce + 8);
    return true;
}

int ParseNtlmChallenge(const uint8_t* type2, size_t length, NtlmChallenge& out)
{
    PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]challenge len = %d\n",
                    static_cast<int>(length));
    // The challenge ends at byte 32: anything shorter cannot be answered.
    if (!type2 || length < 32 || std::memcmp(type2, kSignature, 8) != 0 || GetLe32(type2 + 8) != 2) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Invalid type 2 message\n");
        return -1;
    }
    std::memcpy(out.challenge, type2 + 24, 8);
    out.flags = GetLe32(type2 + 20);
    out.target_info.clear();
    out.target_info_damaged = false;
    const size_t name_len = GetLe16(type2 + 12);
    const size_t name_offset = GetLe32(type2 + 16);
    PROXY_PRINT_MSG(PROXY_WARNING,
                    L"[WARN]lib/vexoproxyclient_auth [%d]target_name_len = %d, target_name_offset = %d\n",
                    static_cast<int>(name_len), static_cast<int>(name_offset));
    // The target name is never read: where it lies does not matter (some
    // proxies send an offset far outside the message).
    if (!FieldInside(name_len, name_offset, length))
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]target name outside the message, ignored\n");
    // Without the flag, bytes 40 on may be the payload itself (older servers
    // put the target name there): they are not target-information fields.
    if (!(out.flags & kNtlmNegotiateTargetInfo))
        return 0;
    if (length < 48) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Target info announced but cut off\n");
        out.target_info_damaged = true;
        return 0;
    }
    const size_t info_len = GetLe16(type2 + 40);
    const size_t info_offset = GetLe32(type2 + 44);
    PROXY_PRINT_MSG(PROXY_WARNING,
                    L"[WARN]lib/vexoproxyclient_auth [%d]target_info_len = %d, target_info_offset = %d\n",
                    static_cast<int>(info_len), static_cast<int>(info_offset));
    if (!FieldInside(info_len, info_offset, length)) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Target info outside the message\n");
        out.target_info_damaged = true;
        return 0;
    }
    out.target_info.assign(type2 + info_offset, type2 + info_offset + info_len);
    return 0;
}

int VEXOProxyClientPrepareNTLMRequest(std::vector<uint8_t>& dst, const VEXO_PROXY_AUTH_DATA* auth)
{
    if (!auth)
        return -6;
    uint32_t flags;
    if (auth->hashntlm2) {
        flags = kNtlmV2NegotiateFlags;
    } else if (auth->hashnt && auth->hashlm) {
        flags = kNtlmV1NegotiateFlags;
    } else {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Unknown auth op\n");
        return -1;
    }
    std::string host = StrToUpper(Text(auth->szHostName));
    std::string domain = StrToUpper(Text(auth->szDomainName));
    size_t total = 32 + host.size() + domain.size();
    if (total > kNtlmMessageLimit) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Domain or host name too long\n");
        return -1;
    }
    dst.assign(total, 0);
    std::memcpy(&dst[0], kSignature, 8);
    PutLe32(&dst[8], 1);
    PutLe32(&dst[12], flags);
    PutSecBuffer(&dst[16], domain.size(), 32 + host.size());
    PutSecBuffer(&dst[24], host.size(), 32);
    std::memcpy(&dst[32], host.data(), host.size());
    std::memcpy(&dst[32 + host.size()], domain.data(), domain.size());
    return static_cast<int>(total);
}

namespace {

bool ComputeV2(const VEXO_PROXY_AUTH_DATA* auth, const NtlmChallenge& challenge, std::vector<uint8_t>& nt,
               std::vector<uint8_t>& lm)
{
    uint8_t key[16];
    if (!ntlm2_hash_password(Text(auth->szUserName), Text(auth->szDomainName), Text(auth->szUserPasswd), key)) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Create NTLMv2 hash failed\n");
        return false;
    }
    uint8_t nonce[8];
    bool ok = RAND_bytes(nonce, sizeof nonce) == 1;
    uint64_t timestamp = static_cast<uint64_t>(std::time(nullptr)) * 10000000ULL + kEpochDelta1601;
    ok = ok && ntlm2_responses(key, challenge.challenge, nonce, timestamp, challenge.target_info, nt, lm);
    OPENSSL_cleanse(key, sizeof key);
    if (!ok)
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]create ntlm2 response failed\n");
    return ok;
}

bool ComputeV1(const VEXO_PROXY_AUTH_DATA* auth, const NtlmChallenge& challenge, std::vector<uint8_t>& nt,
               std::vector<uint8_t>& lm)
{
    // The LM response always occupies 24 bytes, zero when not computed.
    nt.assign(24, 0);
    lm.assign(24, 0);
    std::string password = Text(auth->szUserPasswd);
    if (auth->hashnt) {
        uint8_t hash[21];
        if (!ntlm_hash_nt_password(password, hash)) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]create NTLM hash failed\n");
            return false;
        }
        bool ok = ntlm_calc_resp(hash, challenge.challenge, nt.data());
        OPENSSL_cleanse(hash, sizeof hash);
        if (!ok) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]create nt response failed\n");
            return false;
        }
    }
    if (auth->hashlm) {
        uint8_t hash[16];
        if (!ntlm_hash_lm_password(password, hash)) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Create ln hash failed\n");
            return false;
        }
        bool ok = ntlm_calc_resp(hash, challenge.challenge, lm.data());
        OPENSSL_cleanse(hash, sizeof hash);
        if (!ok) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]create lm response failed\n");
            return false;
        }
    }
    return true;
}

}  // namespace

int VEXOProxyClientNTLMResponseType3Cal(std::vector<uint8_t>& dst, const uint8_t* type2, size_t length,
                                        const VEXO_PROXY_AUTH_DATA* auth)
{
    if (!auth)
        return -1;
    NtlmChallenge challenge;
    if (ParseNtlmChallenge(type2, length, challenge) < 0)
        return kNtlmErrBadChallenge;

    std::vector<uint8_t> nt, lm;
    uint32_t flags;
    if (auth->hashntlm2) {
        // The NTLMv2 response is computed over the server's target
        // information; one without it would be refused, or worse, accepted
        // by a proxy that then cannot check it.
        if (challenge.target_info_damaged)
            return kNtlmErrBadChallenge;
        if (challenge.target_info.empty()) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Target info not found\n");
            return kNtlmErrNoTargetInfo;
        }
        flags = kNtlmV2NegotiateFlags;
        if (!ComputeV2(auth, challenge, nt, lm))
            return -1;
    } else if (auth->hashnt || auth->hashlm) {
        flags = kNtlmV1NegotiateFlags;
        if (!ComputeV1(auth, challenge, nt, lm))
            return -1;
    } else {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Unknown auth op\n");
        return -1;
    }

    std::vector<uint8_t> domain, user, host;
    if (StrToUnicode(StrToUpper(Text(auth->szDomainName)), domain) < 0 ||
        StrToUnicode(Text(auth->szUserName), user) < 0 ||
        StrToUnicode(StrToUpper(Text(auth->szHostName)), host) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]to unicode failed\n");
        return -1;
    }
    size_t d = domain.size(), u = user.size(), h = host.size();
    size_t lm_offset = 64 + d + u + h;
    size_t nt_offset = lm_offset + lm.size();
    size_t total = nt_offset + nt.size();
    if (total > kNtlmMessageLimit) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]type 3 message too long\n");
        return -1;
    }
    dst.assign(total, 0);
    std::memcpy(&dst[0], kSignature, 8);
    PutLe32(&dst[8], 3);
    PutSecBuffer(&dst[12], lm.size(), lm_offset);
    PutSecBuffer(&dst[20], nt.size(), nt_offset);
    PutSecBuffer(&dst[28], d, 64);
    PutSecBuffer(&dst[36], u, 64 + d);
    PutSecBuffer(&dst[44], h, 64 + d + u);
    PutSecBuffer(&dst[52], 0, total);
    // We send the flags we negotiated with: the responses computed follow them.
    PutLe32(&dst[60], flags);
    uint8_t* p = &dst[64];
    for (const std::vector<uint8_t>* part : {&domain, &user, &host, &lm, &nt}) {
        if (!part->empty())
            std::memcpy(p, part->data(), part->size());
        p += part->size();
    }
    return static_cast<int>(total);
}

}  // namespace VexoProxy
