// The LZ4 frame of a compressed data connection is ended when the connection
// ends cleanly: the peer (and the lz4 tool on a capture) sees a complete
// stream, checksum included.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include <lz4frame.h>

#include "kavelin/tcp-transfer.h"
#include "lz4-processor.h"
#include "engine/tcp_transfer_test_support.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

// Decodes a whole capture; true when it holds exactly one complete frame.
bool decodesAsOneCompleteFrame(const std::string& frame, std::string& plain)
{
    LZ4F_dctx* context = nullptr;
    if (LZ4F_isError(LZ4F_createDecompressionContext(&context, LZ4F_VERSION)))
        return false;
    size_t offset = 0;
    size_t hint = 1;
    char out[65536];
    while (offset < frame.size() && hint != 0) {
        size_t out_len = sizeof(out);
        size_t in_len = frame.size() - offset;
        hint = LZ4F_decompress(context, out, &out_len, frame.data() + offset, &in_len, nullptr);
        if (LZ4F_isError(hint))
            break;
        offset += in_len;
        plain.append(out, out_len);
    }
    LZ4F_freeDecompressionContext(context);
    return hint == 0 && offset == frame.size();
}

TEST(LZ4StreamEnd, EndedFrameIsCompleteWhetherOrNotBlocksWentOut)
{
    for (const std::string& payload : {std::string(), std::string(200000, 'q') + "tail"}) {
        SCOPED_TRACE(payload.size());
        LZ4Compressor compressor;
        ASSERT_EQ(0, compressor.Initialize(65536));
        std::string frame;
        void* out = nullptr;
        size_t out_len = 0;
        for (size_t at = 0; at < payload.size(); at += 65536) {
            for (;;) {
                ASSERT_EQ(0, compressor.Process(&out, &out_len));
                if (out_len == 0)
                    break;
                frame.append(static_cast<char*>(out), out_len);
            }
            compressor.Update(payload.data() + at, std::min<size_t>(65536, payload.size() - at));
        }
        for (;;) {
            ASSERT_EQ(0, compressor.Process(&out, &out_len));
            if (out_len == 0)
                break;
            frame.append(static_cast<char*>(out), out_len);
        }
        ASSERT_EQ(0, compressor.End(&out, &out_len));
        frame.append(static_cast<char*>(out), out_len);
        std::string plain;
        EXPECT_TRUE(decodesAsOneCompleteFrame(frame, plain));
        EXPECT_EQ(payload, plain);

        // Nothing can follow the end.
        EXPECT_EQ(-1, compressor.End(&out, &out_len));
        compressor.Update("x", 1);
        EXPECT_EQ(-1, compressor.Process(&out, &out_len));
    }
}

// A compressed report connection to a scripted server that captures what the
// client sends after the plain handshake answer; the client then closes the
// connection cleanly.
TEST(LZ4StreamEnd, CleanlyClosedConnectionEndsItsFrameForTheLz4Tool)
{
    if (::access("/usr/bin/lz4", X_OK) != 0)
        GTEST_SKIP() << "the lz4 tool is not installed";
    TestController controller;
    controller.getManager()->setPeerSeed(5, 0x1234567);
    for (int i = 0; i < 3; ++i) {
        PObject report;
        report["token"] = static_cast<uint64_t>(1000 + i);
        report["status"] = "done";
        controller.reports.push_back(report);
    }
    Listener listener;
    std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, false));
    t->setCompressed(true);
    t->setExpectedUse(TRANSFER_USE_REPORT);
    ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));

    std::string capture;
    long captured = -1;
    std::thread server_side([&] {
        const int peer = listener.acceptOne();
        if (peer < 0)
            return;
        PObject request;
        PObject answer;
        answer["encrypted"] = false;
        // The client sends nothing more before this answer, so the request
        // read leaves no compressed byte behind in the reader.
        if (readObject(peer, request) && writeObject(peer, answer)) {
            char buffer[4096];
            ssize_t n;
            while ((n = ::recv(peer, buffer, sizeof(buffer), 0)) > 0)
                capture.append(buffer, static_cast<size_t>(n));
            captured = n == 0 ? static_cast<long>(capture.size()) : -1;
        }
        ::close(peer);
    });
    const bool sent = controller.pumpUntil([&] {
        return t->getTransferUse() == TRANSFER_USE_REPORT && controller.reports.empty() &&
               !t->m_write_context.stream.IsTransferring();
    });
    t->abort();
    server_side.join();
    ASSERT_TRUE(sent);
    ASSERT_GT(captured, 0);

    std::string plain;
    EXPECT_TRUE(decodesAsOneCompleteFrame(capture, plain));
    EXPECT_NE(std::string::npos, plain.find("activate"));
    EXPECT_NE(std::string::npos, plain.find("done"));

    qm_test::TempDir dir("qm-lz4-end");
    ASSERT_TRUE(qm_test::writeFile(dir.file("capture.lz4"), capture));
    const std::string command = "lz4 -d -c '" + dir.file("capture.lz4") + "' > '" + dir.file("plain") +
                                "' 2> '" + dir.file("errors") + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << qm_test::readFile(dir.file("errors"));
    EXPECT_EQ(std::string::npos, qm_test::readFile(dir.file("errors")).find("unfinished"));
    EXPECT_EQ(plain, qm_test::readFile(dir.file("plain")));
}

}  // namespace
