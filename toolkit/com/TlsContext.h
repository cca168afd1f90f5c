#pragma once
// TLS settings for remote automation sessions (OpenSSL): a server's certificate and key, or the CA file
// a client verifies its server against (the certificate must be signed by it and name the address the
// client connects to). TLS 1.2 at least. Failures raise ESocketConnectionError with OpenSSL's reason.
#include <memory>
#include <string>

struct ssl_ctx_st;

class TTlsContext {
public:
    static std::shared_ptr<TTlsContext> Server(const std::string& certificateFile, const std::string& keyFile);
    static std::shared_ptr<TTlsContext> Client(const std::string& caFile);
    ~TTlsContext();
    TTlsContext(const TTlsContext&) = delete;
    TTlsContext& operator=(const TTlsContext&) = delete;

    ssl_ctx_st* Handle() const { return ctx_; }
    bool IsServer() const { return server_; }

private:
    TTlsContext(ssl_ctx_st* ctx, bool server) : ctx_(ctx), server_(server) {}
    ssl_ctx_st* ctx_;
    bool server_;
};

// OpenSSL's most recent error on this thread, as text ("" when none); clears the queue.
std::string TlsErrorText();
