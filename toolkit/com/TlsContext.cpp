#include "toolkit/com/TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include "toolkit/rtl/Exception.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::string reason = TlsErrorText();
    throw ESocketConnectionError(what + (reason.empty() ? std::string() : ": " + reason));
}

SSL_CTX* NewContext(const SSL_METHOD* method) {
    SSL_CTX* ctx = SSL_CTX_new(method);
    if (!ctx) Fail("cannot set up TLS");
    SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
    // A peer that closes without saying so is a closed connection, as on a plain socket.
    SSL_CTX_set_options(ctx, SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_mode(ctx, SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER | SSL_MODE_ENABLE_PARTIAL_WRITE);
    return ctx;
}

}  // namespace

std::string TlsErrorText() {
    unsigned long code = ERR_get_error();
    std::string text;
    if (code != 0) {
        char buffer[256];
        ERR_error_string_n(code, buffer, sizeof buffer);
        text = buffer;
    }
    ERR_clear_error();
    return text;
}

std::shared_ptr<TTlsContext> TTlsContext::Server(const std::string& certificateFile, const std::string& keyFile) {
    SSL_CTX* ctx = NewContext(TLS_server_method());
    std::shared_ptr<TTlsContext> context(new TTlsContext(ctx, true));
    if (SSL_CTX_use_certificate_chain_file(ctx, certificateFile.c_str()) != 1)
        Fail("cannot read the certificate " + certificateFile);
    if (SSL_CTX_use_PrivateKey_file(ctx, keyFile.c_str(), SSL_FILETYPE_PEM) != 1) Fail("cannot read the key " + keyFile);
    if (SSL_CTX_check_private_key(ctx) != 1)
        Fail("the key " + keyFile + " does not belong to the certificate " + certificateFile);
    return context;
}

std::shared_ptr<TTlsContext> TTlsContext::Client(const std::string& caFile) {
    SSL_CTX* ctx = NewContext(TLS_client_method());
    std::shared_ptr<TTlsContext> context(new TTlsContext(ctx, false));
    if (SSL_CTX_load_verify_locations(ctx, caFile.c_str(), nullptr) != 1) Fail("cannot read the CA file " + caFile);
    SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, nullptr);
    return context;
}

TTlsContext::~TTlsContext() { SSL_CTX_free(ctx_); }
