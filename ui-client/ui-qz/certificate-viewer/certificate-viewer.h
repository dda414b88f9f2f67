#pragma once

#include <string>
#include <vector>

class QWidget;

// Shows the certificate chain a server presented (PEM texts, the server's own
// certificate first) in a modal, read-only dialog over parent. 0 after the
// dialog was shown and closed; -1 without a dialog when the chain is empty
// or any text is not exactly one certificate: no partial chain is shown.
// GUI thread only.
int showCertificateChain(const std::vector<std::string>& chain, QWidget* parent);
