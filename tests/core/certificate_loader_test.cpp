// The certificate authorities file: the system's list with the extra file
// ($SSL_CERT_FILE), expired authorities left out, the same content on a
// second run, and a replacement by rename that never truncates the file a
// running instance reads.
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "certificate-loader.h"
#include "log.h"
#include "support/certificates.h"
#include "support/temp_dir.h"

namespace {

class CertificateLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qm_test::Credentials ca = qm_test::makeCa("Loader Test Authority");
        qm_test::CertRequest expired;
        expired.common_name = "Loader Expired Authority";
        expired.ca = true;
        expired.valid_seconds = -86400 - 3600;  // expired yesterday
        qm_test::CertRequest later;
        later.common_name = "Loader Valid Authority";
        later.ca = true;
        later.valid_seconds = 3600;
        ca.writeFiles(m_dir.file("ca.pem"), "");
        qm_test::makeCert(expired).writeFiles(m_dir.file("expired.pem"), "");
        qm_test::makeCert(later).writeFiles(m_dir.file("later.pem"), "");
        ca_pem = qm_test::readFile(m_dir.file("ca.pem"));
        expired_pem = qm_test::readFile(m_dir.file("expired.pem"));
        later_pem = qm_test::readFile(m_dir.file("later.pem"));
        ASSERT_TRUE(qm_test::writeFile(m_dir.file("bundle.pem"), ca_pem + expired_pem + later_pem));
        setenv("SSL_CERT_FILE", m_dir.file("bundle.pem").c_str(), 1);
        store = m_dir.file("certs.pem");
    }

    qm_test::TempDir m_dir{"qm-certs"};
    std::string ca_pem, expired_pem, later_pem, store;
};

TEST_F(CertificateLoaderTest, WritesValidAuthoritiesOnceAndLeavesExpiredOut)
{
    CertificateLoader loader(QString::fromStdString(store));
    loader.syncNow();
    const std::string first = qm_test::readFile(store);
    EXPECT_NE(first.find(ca_pem), std::string::npos);
    EXPECT_NE(first.find(later_pem), std::string::npos);
    EXPECT_EQ(first.find(expired_pem), std::string::npos);
    EXPECT_EQ(first.find(ca_pem), first.rfind(ca_pem)) << "once, not doubled";

    loader.syncNow();
    EXPECT_EQ(qm_test::readFile(store), first) << "a second run gives the same file";
}

TEST_F(CertificateLoaderTest, ReplacesTheFileByRename)
{
    ASSERT_TRUE(qm_test::writeFile(store, "old content the running instance reads\n"));
    struct stat before;
    ASSERT_EQ(::stat(store.c_str(), &before), 0);
    const int old_fd = ::open(store.c_str(), O_RDONLY);
    ASSERT_GE(old_fd, 0);
    CertificateLoader(QString::fromStdString(store)).syncNow();
    struct stat after;
    ASSERT_EQ(::stat(store.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    char old_text[64] = {};
    ASSERT_GT(::pread(old_fd, old_text, sizeof(old_text) - 1, 0), 0);
    ::close(old_fd);
    EXPECT_STREQ(old_text, "old content the running instance reads\n");
    EXPECT_NE(qm_test::readFile(store).find(ca_pem), std::string::npos);
}

TEST_F(CertificateLoaderTest, UnwritablePathIsLoggedAndWritesNothing)
{
    ASSERT_EQ(Logger::Initialize(Logger::FILE_LOGGER, m_dir.file("ui.log"), m_dir.file("no-levels"), 1), 0);
    CertificateLoader(QString::fromStdString(m_dir.file("missing-folder/certs.pem"))).syncNow();
    Logger::Destroy();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_dir.file("missing-folder/certs.pem"))));
    EXPECT_NE(qm_test::readFile(m_dir.file("ui.log")).find("Cannot write certificate file"), std::string::npos);
    CertificateLoader empty;
    empty.syncNow();  // no path: nothing written, no failure toward the caller
}

}  // namespace
