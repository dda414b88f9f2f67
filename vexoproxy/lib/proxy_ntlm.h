#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Credentials and the choice of NTLM responses for one authentication.
// Texts are borrowed, NUL-terminated UTF-8; a null text is "missing".
struct VEXO_PROXY_AUTH_DATA {
    const char* szUserName;
    const char* szUserPasswd;
    const char* szDomainName;
    const char* szHostName;
    int hashntlm2;  // NTLMv2 and LMv2 responses
    int hashnt;     // NTLMv1 NT response
    int hashlm;     // NTLMv1 LM response
    uint32_t flags;
};

namespace VexoProxy {

// Negotiate flags of the type-1 message.
const uint32_t kNtlmV2NegotiateFlags = 0x00088205;
const uint32_t kNtlmV1NegotiateFlags = 0x00008201;
// Every NTLM message is built in a buffer of this size; larger ones are refused.
const size_t kNtlmMessageLimit = 2048;
// NTLMSSP_NEGOTIATE_TARGET_INFO: the type-2 message carries target information
// (its fields at offset 40 mean something only with this flag).
const uint32_t kNtlmNegotiateTargetInfo = 0x00800000;
// Failures of VEXOProxyClientNTLMResponseType3Cal besides -1.
const int kNtlmErrBadChallenge = -2;  // the type-2 message is malformed
const int kNtlmErrNoTargetInfo = -3;  // NTLMv2 wanted, the challenge carries no target information

// MD4 of the UTF-16LE password in out[0..15], out[16..20] zero.
bool ntlm_hash_nt_password(const std::string& password, uint8_t out[21]);
// LM hash: DES of "KGS!@#$%" under both halves of the first 14 password bytes.
bool ntlm_hash_lm_password(const std::string& password, uint8_t out[16]);
// Spreads 56 key bits over 8 bytes with odd parity.
void setup_des_key(const uint8_t in[7], uint8_t key[8]);
// The 24-byte NTLMv1 response of a 16-byte hash to an 8-byte challenge.
bool ntlm_calc_resp(const uint8_t hash[16], const uint8_t challenge[8], uint8_t out[24]);
// NTOWFv2: HMAC-MD5 under the NT hash of UTF-16LE(upper(user) + upper(domain)).
bool ntlm2_hash_password(const std::string& user, const std::string& domain, const std::string& password,
                         uint8_t out[16]);
// The NTLMv2 (16 + 32 + target-info bytes) and LMv2 (24 bytes) responses for
// a given client nonce and timestamp (100 ns since 1601).
bool ntlm2_responses(const uint8_t key[16], const uint8_t challenge[8], const uint8_t nonce[8],
                     uint64_t timestamp, const std::vector<uint8_t>& target_info, std::vector<uint8_t>& ntv2,
                     std::vector<uint8_t>& lmv2);

// The parts of a type-2 message this client uses.
struct NtlmChallenge {
    uint8_t challenge[8];
    uint32_t flags;
    std::vector<uint8_t> target_info;  // empty when the message carries none
    // Target information announced (negotiate flag) but cut off or placed
    // outside the message: unusable for NTLMv2, of no concern to NTLMv1.
    bool target_info_damaged = false;
};
// 0, or -1 for a message that is not a type-2 message or is too short for
// its challenge. Only the fields the responses need are checked: the target
// name is only logged, and the target-information fields are read only when
// the negotiate flag announces them.
int ParseNtlmChallenge(const uint8_t* type2, size_t length, NtlmChallenge& out);

// Type-1 (NEGOTIATE) message; its length, -1 for an unknown choice of
// responses or an oversized message, -6 for missing credentials.
int VEXOProxyClientPrepareNTLMRequest(std::vector<uint8_t>& dst, const VEXO_PROXY_AUTH_DATA* auth);
// Type-3 (AUTHENTICATE) message answering a type-2 message; its length,
// kNtlmErrBadChallenge for a malformed type-2 message (for NTLMv2 also one
// whose announced target information is damaged), kNtlmErrNoTargetInfo
// when NTLMv2 is asked for and the challenge has no target information (its
// response is built on it; NTLMv1 needs none), else -1.
int VEXOProxyClientNTLMResponseType3Cal(std::vector<uint8_t>& dst, const uint8_t* type2, size_t length,
                                        const VEXO_PROXY_AUTH_DATA* auth);

}  // namespace VexoProxy
