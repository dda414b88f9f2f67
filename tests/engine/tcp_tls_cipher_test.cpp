// The data connections of the engine, both ends, agree on an AES-GCM suite:
// the cipher the data path's speed is planned for.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <openssl/ssl.h>

#include "kavelin/tcp-helper.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/vardo-core-manager.h"
#include "engine/tcp_transfer_test_support.h"
#include "support/certificates.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

std::string cipherOf(const TcpTransfer& t)
{
    const SSL_CIPHER* cipher = t.m_ssl ? SSL_get_current_cipher(t.m_ssl) : nullptr;
    return cipher ? SSL_CIPHER_get_name(cipher) : "";
}

TEST(DataConnectionTls, BothEndsNegotiateAesGcm)
{
    const uint64_t kPeer = 5;
    qm_test::TempDir dir("tls-cipher");
    for (qm_test::KeyType type : {qm_test::KeyType::EcP256, qm_test::KeyType::Rsa2048}) {
        SCOPED_TRACE(type == qm_test::KeyType::EcP256 ? "ec key" : "rsa key");
        qm_test::CertRequest request;
        request.common_name = "data.test";
        request.dns_names = {"data.test"};
        request.key_type = type;
        qm_test::Credentials server_cert = qm_test::makeCert(request);
        server_cert.writeFiles(dir.file("chain.pem"), dir.file("key.pem"));
        TcpHelper::setServerCertificatePaths(dir.file("key.pem"), dir.file("chain.pem"));

        TestController client_side;
        TestController server_side;
        client_side.getManager()->setPeerSeed(kPeer, 0x1234567);
        server_side.getManager()->setPeerSeed(kPeer, 0x1234567);
        Listener listener;
        std::unique_ptr<TcpTransfer> client(clientTransfer(client_side, kPeer, true));
        client->setSSLSignature(qm_test::signatureText(server_cert.cert));
        client->setExpectedUse(TRANSFER_USE_REPORT);
        ASSERT_EQ(0, client->connect("127.0.0.1", listener.port));
        std::unique_ptr<TcpTransfer> server(new TcpTransfer(&server_side));
        server->setTransferSide(TRANSFER_SIDE_SERVER);
        ASSERT_EQ(0, server->accept(listener.fd));

        auto ready = [&] {
            return client->getTransferUse() == TRANSFER_USE_REPORT && server->getTransferUse() == TRANSFER_USE_REPORT;
        };
        // Both ends' loops in turn, a millisecond each.
        for (int turn = 0; turn < 5000 && !ready() && !client->isAborted() && !server->isAborted(); ++turn) {
            timeval slice{0, 1000};
            event_base_loopexit(client_side.getEventBase(), &slice);
            event_base_dispatch(client_side.getEventBase());
            event_base_loopexit(server_side.getEventBase(), &slice);
            event_base_dispatch(server_side.getEventBase());
        }
        ASSERT_TRUE(ready());
        const std::string client_cipher = cipherOf(*client);
        EXPECT_NE(std::string::npos, client_cipher.find("GCM")) << client_cipher;
        EXPECT_EQ(client_cipher, cipherOf(*server));
    }
}

}  // namespace
