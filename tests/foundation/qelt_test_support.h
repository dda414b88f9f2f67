#pragma once

#include <cstddef>
#include <string>

#include "support/certificates.h"
#include "support/loopback.h"
#include "support/temp_dir.h"

// Fixtures of the support library's tests and benchmark: the shared ones
// (temporary folder, loopback sockets, certificates made on the spot) under
// the names these tests use, and their own test data.
namespace qelt_test {

using qm_test::Credentials;
using qm_test::Listener;
using qm_test::makeCa;
using qm_test::makeServerCert;
using qm_test::readFile;
using qm_test::TcpPair;
using qm_test::TempDir;
using qm_test::writeFile;

// Deterministic, non-repeating-looking bytes.
std::string patternBytes(size_t n, unsigned seed);

} // namespace qelt_test
