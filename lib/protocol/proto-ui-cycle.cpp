// ProtoUI: the TLS upgrade and the request cycle that every request shares,
// with the limits that keep a hostile server from holding or flooding it.
#include <algorithm>
#include <cstdint>
#include <string>

#include "channel/channel.h"
#include "file-op-ex.h"
#include "log.h"
#include "proto-ui-answer.h"
#include "proto-ui-log.h"
#include "protocol/proto-ui.h"
#include "protocol/protocol-builder.h"
#include "protocol/stream.h"

namespace {

const char kProjectName[] = "quillmar-file-manager";

// What a channel does without a time-out of ours (Channel's own default).
const unsigned kChannelDefaultTimeout = 60;
// A whole request cycle (connecting, the TLS upgrade, the request and every
// "keep_alive" before the answer) must end within this many time-outs, or a
// server that sends "keep_alive" for ever, or one byte now and then, holds
// the worker without end.
const unsigned kCycleTimeouts = 4;

// The largest real answer is a folder listing of a few hundred thousand
// entries: an entry is a map of four members (five values, about 60 bytes
// besides its name). These budgets hold 500,000 entries with names of 255
// bytes; anything larger is refused before it can take the memory.
const uint64_t kAnswerMaxBytes = 256ull * 1024 * 1024;
const size_t kAnswerMaxValues = 3000000;
// The "encrypt_channel" answer is a handful of members.
const uint64_t kEncryptAnswerMaxBytes = 64 * 1024;
const size_t kEncryptAnswerMaxValues = 1024;

// Control answers carry no files, and no text of theirs is shortened.
void LimitAnswers(PStream& stream, uint64_t max_bytes, size_t max_values)
{
    stream.SetFileValuesAllowed(false);
    stream.SetKeepZeroBytes(true);  // the answer's readers refuse them
    stream.SetReceiveBudget(max_bytes, max_values);
}

}  // namespace

bool ProtoUI::CycleExpired() const
{
    return std::chrono::steady_clock::now() >= m_cycle_deadline;
}

void ProtoUI::SetMalformedAnswer(const std::string& what)
{
    QM_LOG(Logger::L_ERR, PROTO_UI_COMPONENT, L"[ERROR] proto-ui(%d): malformed answer: %s\n", what);
    SetError(ERROR_PROTOCOL, "protocol error, malformed answer: " + what);
}

void ProtoUI::SetCycleStreamError(const PStream& stream, int code, const std::string& message)
{
    switch (stream.GetRefusal()) {
    case PStream::REFUSED_FILE_VALUE:
        return SetMalformedAnswer("a file value in an answer");
    case PStream::REFUSED_BYTES:
        return SetError(ERROR_PROTOCOL, "protocol error, answer larger than the limit of " +
                                            std::to_string(kAnswerMaxBytes) + " bytes");
    case PStream::REFUSED_VALUES:
        return SetError(ERROR_PROTOCOL, "protocol error, answer of more than " +
                                            std::to_string(kAnswerMaxValues) + " values");
    case PStream::REFUSED_DEPTH:
        return SetMalformedAnswer("nested deeper than " + std::to_string(PStream::kMaxDepth) + " levels");
    case PStream::REFUSED_NONE:
        break;
    }
    if (CycleExpired()) {
        SetStreamError(PStream::ERR_TIMEOUT, message + ": time-out, the request did not complete within " +
                                                 std::to_string(m_cycle_seconds) + " s");
        return;
    }
    SetStreamError(code, message);
}

int ProtoUI::RunEncryptProtocol(Channel& channel)
{
    PObject request;
    ProtocolFactory().BuildProtocol("encrypt_channel", request);
    PStream stream;
    LimitAnswers(stream, kEncryptAnswerMaxBytes, kEncryptAnswerMaxValues);

    channel.SetAllowUntrust(!m_ssl_verify_server);
    channel.SetSSLHostname(m_ssl_server_hostname);
    channel.SetSSLSignature(m_ssl_orig_signature);

    int rc = stream.Send(channel, request);
    if (rc < 0) {
        SetCycleStreamError(stream, rc, "stream error while sending encrypt_channel request");
        return -1;
    }
    PObject response;
    rc = stream.Recv(channel, response);
    if (rc < 0) {
        if (stream.GetRefusal() != PStream::REFUSED_NONE || CycleExpired())
            SetCycleStreamError(stream, rc, "stream error while receiving encrypt_channel answer");
        else
            SetError(ERROR_PROTOCOL_WRONG_PORT, "Cannot get protocol object , assuming it's other service.");
        return -1;
    }
    const PObject& project = static_cast<const PObject&>(response)["project"];
    if (!project.isString() || project.asStringRef() != kProjectName) {
        SetError(ERROR_PROTOCOL_WRONG_PORT, "Cannot get correct project string, assuming it's koralt server.");
        return -1;
    }

    rc = channel.ConvertToSSLChannel(false);
    // Read whatever the handshake got to see; a failed one leaves both as they were.
    channel.GetPeerSSLSignature(m_ssl_current_signature);
    channel.GetPeerCertificateChain(m_ssl_certificate_chain);
    if (rc < 0) {
        if (CycleExpired())
            SetCycleStreamError(stream, PStream::ERR_TIMEOUT, "channel error while converting SSL channel");
        else
            SetChannelError(rc, "channel error while converting SSL channel");
        return -1;
    }
    QM_LOG(Logger::L_DEBUG, PROTO_UI_COMPONENT, L"[DEBUG] proto-ui(%d): channel is encrypted using SSL\n");
    return 0;
}

int ProtoUI::RunProtocol(const PObject& request, PObject& response, const char* sink_key, PStreamArraySink* sink)
{
    PStream stream;
    LimitAnswers(stream, kAnswerMaxBytes, kAnswerMaxValues);
    if (sink)
        stream.SetArraySink(sink_key, sink);
    if (m_connection_broken) {
        // The last exchange failed half-way; its late answer may still be on
        // the wire, so only a fresh login (after Clear) may connect again.
        SetStreamError(PStream::ERR_IO, "stream error while sending request (connection lost earlier)");
        return -1;
    }

    // One deadline for the whole cycle; the channel enforces it inside every
    // wait (however slowly bytes trickle in), and the loop below between
    // answers (however fast "keep_alive" maps arrive).
    const unsigned timeout = m_channel ? m_connection_timeout : (m_timeout != 0 ? m_timeout : kChannelDefaultTimeout);
    m_cycle_seconds = static_cast<unsigned>(std::min<uint64_t>(uint64_t(timeout) * kCycleTimeouts, UINT32_MAX));
    m_cycle_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(m_cycle_seconds);

    if (!m_channel) {
        m_channel = CreateChannel();
        m_connection_timeout = timeout;
        m_channel->SetDeadline(m_cycle_seconds);
        int rc = m_channel->Open(m_ip.c_str(), static_cast<int>(m_port));
        if (rc < 0) {
            SetChannelError(rc, "channel error while connecting to server code = " +
                                    std::to_string(cross::getSocketError()));
            DestroyChannel();
            return -1;
        }
        if (m_ssl_encrypt_channel && RunEncryptProtocol(*m_channel) != 0) {
            DestroyChannel();
            return -1;
        }
    } else {
        m_channel->SetDeadline(m_cycle_seconds);
    }

    const std::string& action = request["_action"].asStringRef();
    QM_LOG(Logger::L_DEBUG, PROTO_UI_COMPONENT, L"[DEBUG] proto-ui(%d): start %s protocol\n", action);

    int rc = stream.Send(*m_channel, request);
    if (rc < 0) {
        SetCycleStreamError(stream, rc, "stream error while sending request");
        // A request the codec refuses whole (a string too long for the wire)
        // sent nothing: the connection is still in step and stays usable.
        if (rc != PStream::ERR_INPUT) {
            m_connection_broken = true;
            DestroyChannel();
        } else {
            m_channel->SetDeadline(0);
        }
        return -1;
    }
    for (;;) {
        // Each answer is read into an empty value: members of a "keep_alive"
        // map must not linger in the real answer, nor its "type".
        response.clear();
        rc = CycleExpired() ? PStream::ERR_TIMEOUT : stream.Recv(*m_channel, response);
        if (rc < 0) {
            SetCycleStreamError(stream, rc, "stream error while receiving response");
            m_connection_broken = true;
            DestroyChannel();
            response.clear();
            return -1;
        }
        const PObject& type = static_cast<const PObject&>(response)["type"];
        if (!(type.isString() && type.asStringRef() == "keep_alive"))
            break;
    }
    m_channel->SetDeadline(0);
    // The answer arrived whole, so the connection stays in step; but only a
    // map can answer a request.
    if (!response.isMap()) {
        SetMalformedAnswer(response.isNull() ? "null instead of a map"
                                              : std::string("not a map but ") + proto_ui_answer::KindName(response));
        return -1;
    }
    QM_LOG(Logger::L_DEBUG, PROTO_UI_COMPONENT, L"[DEBUG] proto-ui(%d): end %s protocol\n", action);
    return 0;
}

bool ProtoUI::TakeAnswerError(const PObject& response)
{
    if (!response.hasMember("error"))
        return false;
    const PObject& error = response["error"];
    const PObject& code = error["code"];
    std::string reason = proto_ui_answer::ReadString(error["reason"]);
    if (!code.isInteger() || code.asUInt32() == 0 || code.asUInt64() > UINT32_MAX) {
        // Mapping a missing code would report a failure as ERROR_OK.
        SetError(ERROR_PROTOCOL, "protocol error, malformed answer: error without a valid code, reason = '" +
                                     reason + "'");
        return true;
    }
    SetProtocolError(static_cast<int>(code.asUInt32()), reason);
    return true;
}
