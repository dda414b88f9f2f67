// ProtoUI: settings, the choice of channel, the TLS upgrade and the request
// cycle that every request shares.
#include "protocol/proto-ui.h"

#include <string>

#include "channel/channel.h"
#include "channel/proxy_channel.h"
#include "channel/proxy_tunnel_channel.h"
#include "channel/tunnel_channel.h"
#include "file-op-ex.h"
#include "log.h"
#include "proto-ui-answer.h"
#include "proto-ui-log.h"
#include "protocol/protocol-builder.h"
#include "protocol/stream.h"

namespace {

const unsigned kDefaultTimeout = 10;
const unsigned kDefaultPort = 3362;
const size_t kPlainChannelCapacity = 81920;
const char kProjectName[] = "quillmar-file-manager";

}  // namespace

ProtoUI::ProtoUI()
    : m_seed(0),
      m_channel(nullptr),
      m_ssl_encrypt_channel(true),
      m_ssl_verify_server(false),
      m_timeout(kDefaultTimeout),
      m_port(kDefaultPort),
      m_server_build_version(0),
      m_proxy(nullptr),
      m_tunnel(nullptr),
      m_abort_flag(nullptr),
      m_error(ERROR_OK),
      m_connection_broken(false)
{
    Clear();
}

ProtoUI::~ProtoUI()
{
    Clear();
}

void ProtoUI::DestroyChannel()
{
    delete m_channel;
    m_channel = nullptr;
}

void ProtoUI::Clear()
{
    DestroyChannel();
    m_connection_broken = false;
    delete m_proxy;
    m_proxy = nullptr;
    delete m_tunnel;
    m_tunnel = nullptr;
    m_abort_flag = nullptr;
    m_seed = 0;
    m_user.clear();
    m_password.clear();
    m_otp.clear();
    m_ssl_server_hostname.clear();
    m_ssl_orig_signature.clear();
    m_ssl_current_signature.clear();
    m_ip.clear();
    m_ssl_encrypt_channel = true;
    m_ssl_verify_server = false;
    m_timeout = kDefaultTimeout;
    m_port = kDefaultPort;
    ClearError();
}

void ProtoUI::SetSeed(uint64_t seed)
{
    m_seed = seed;
}

void ProtoUI::SetUser(const std::string& user, const std::string& password, const std::string& otp)
{
    m_user = user;
    m_password = password;
    m_otp = otp;
}

void ProtoUI::SetSSL(bool encrypt_channel, bool verify_server, const std::string& hostname,
                     const std::string& signature)
{
    m_ssl_encrypt_channel = encrypt_channel;
    m_ssl_verify_server = verify_server;
    m_ssl_server_hostname = hostname;
    m_ssl_orig_signature = signature;
}

void ProtoUI::SetTimeout(unsigned seconds)
{
    m_timeout = seconds;
}

void ProtoUI::SetServer(const std::string& ip, unsigned port)
{
    m_ip = ip;
    m_port = port;
}

void ProtoUI::SetAbortFlag(int* flag)
{
    m_abort_flag = flag;
}

void ProtoUI::SetProxy(const ProxyInfo& proxy)
{
    ProxyInfo* copy = new ProxyInfo(proxy);
    delete m_proxy;
    m_proxy = copy;
}

void ProtoUI::SetTunnel(const TunnelInfo& tunnel)
{
    TunnelInfo* copy = new TunnelInfo(tunnel);
    delete m_tunnel;
    m_tunnel = copy;
}

std::string ProtoUI::GetCurrentSSLSignature()
{
    return m_ssl_current_signature;
}

std::vector<std::string> ProtoUI::GetSSLCertificateChain()
{
    return m_ssl_certificate_chain;
}

bool ProtoUI::GetSSLVerified()
{
    if (!m_channel)
        return false;
    return m_channel->GetPeerVerified();
}

int ProtoUI::getChannelMtu()
{
    if (!m_channel) {
        QM_LOG(Logger::L_ERR, PROTO_UI_COMPONENT, L"[ERROR] proto-ui(%d): Channel is not ready\n");
        return -1;
    }
    return cross::getExpectedMtuFromConnectedTcpSocket(m_channel->getNativeHandle());
}

int ProtoUI::GetServerBuildVersion()
{
    return m_server_build_version;
}

Channel* ProtoUI::CreateChannel() const
{
    Channel* channel;
    if (m_proxy && m_tunnel)
        channel = new ProxyTunnelChannel(*m_proxy, *m_tunnel);
    else if (m_proxy)
        channel = new ProxyChannel(*m_proxy);
    else if (m_tunnel)
        channel = new TunnelChannel(*m_tunnel);
    else
        channel = new Channel(kPlainChannelCapacity);
    if (m_timeout != 0)
        channel->SetTimeout(m_timeout);
    if (m_abort_flag)
        channel->SetFlag(m_abort_flag);
    return channel;
}

int ProtoUI::RunEncryptProtocol(Channel& channel)
{
    PObject request;
    ProtocolFactory().BuildProtocol("encrypt_channel", request);
    PStream stream;

    channel.SetAllowUntrust(!m_ssl_verify_server);
    channel.SetSSLHostname(m_ssl_server_hostname);
    channel.SetSSLSignature(m_ssl_orig_signature);

    int rc = stream.Send(channel, request);
    if (rc < 0) {
        SetStreamError(rc, "stream error while sending encrypt_channel request");
        return -1;
    }
    PObject response;
    if (stream.Recv(channel, response) < 0) {
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
        SetChannelError(rc, "channel error while converting SSL channel");
        return -1;
    }
    QM_LOG(Logger::L_DEBUG, PROTO_UI_COMPONENT, L"[DEBUG] proto-ui(%d): channel is encrypted using SSL\n");
    return 0;
}

int ProtoUI::RunProtocol(const PObject& request, PObject& response)
{
    PStream stream;
    if (m_connection_broken) {
        // The last exchange failed half-way; its late answer may still be on
        // the wire, so only a fresh login (after Clear) may connect again.
        SetStreamError(PStream::ERR_IO, "stream error while sending request (connection lost earlier)");
        return -1;
    }
    if (!m_channel) {
        m_channel = CreateChannel();
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
    }

    const std::string& action = request["_action"].asStringRef();
    QM_LOG(Logger::L_DEBUG, PROTO_UI_COMPONENT, L"[DEBUG] proto-ui(%d): start %s protocol\n", action);

    int rc = stream.Send(*m_channel, request);
    if (rc < 0) {
        SetStreamError(rc, "stream error while sending request");
        // A request the codec refuses whole (a string too long for the wire)
        // sent nothing: the connection is still in step and stays usable.
        if (rc != PStream::ERR_INPUT) {
            m_connection_broken = true;
            DestroyChannel();
        }
        return -1;
    }
    for (;;) {
        // Each answer is read into an empty value: members of a "keep_alive"
        // map must not linger in the real answer, nor its "type".
        response.clear();
        rc = stream.Recv(*m_channel, response);
        if (rc < 0) {
            SetStreamError(rc, "stream error while receiving response");
            m_connection_broken = true;
            DestroyChannel();
            return -1;
        }
        const PObject& type = static_cast<const PObject&>(response)["type"];
        if (!(type.isString() && type.asStringRef() == "keep_alive"))
            break;
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
    if (!code.isInteger() || code.asUInt32() == 0) {
        // Mapping a missing code would report a failure as ERROR_OK.
        SetError(ERROR_PROTOCOL, "protocol error, malformed answer: error without a code, reason = '" +
                                     reason + "'");
        return true;
    }
    SetProtocolError(static_cast<int>(code.asUInt32()), reason);
    return true;
}
