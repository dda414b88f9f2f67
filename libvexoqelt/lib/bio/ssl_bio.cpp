#include "bio/ssl_bio.h"

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <sys/socket.h>

namespace qelt {

namespace {

int descriptorOf(BIO* bio)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(BIO_get_data(bio)));
}

bool isRetryable(int e)
{
    return e == EAGAIN || e == EWOULDBLOCK || e == EINTR;
}

int socketWrite(BIO* bio, const char* data, int len)
{
    BIO_clear_retry_flags(bio);
    ssize_t r = ::send(descriptorOf(bio), data, static_cast<size_t>(len), MSG_NOSIGNAL);
    if (r < 0 && isRetryable(errno))
        BIO_set_retry_write(bio);
    return static_cast<int>(r);
}

int socketRead(BIO* bio, char* data, int len)
{
    BIO_clear_retry_flags(bio);
    ssize_t r = ::recv(descriptorOf(bio), data, static_cast<size_t>(len), 0);
    if (r < 0 && isRetryable(errno))
        BIO_set_retry_read(bio);
    if (r == 0 && len > 0)
        BIO_set_flags(bio, BIO_FLAGS_IN_EOF);
    return static_cast<int>(r);
}

long socketCtrl(BIO* bio, int cmd, long, void* ptr)
{
    switch (cmd) {
    case BIO_CTRL_FLUSH:
        // Sends go straight to the socket, so a flush has nothing to do.
        return 1;
    case BIO_C_GET_FD: {
        // Lets SSL_get_fd and friends find the descriptor, as with the stock socket BIO.
        int fd = descriptorOf(bio);
        if (ptr)
            *static_cast<int*>(ptr) = fd;
        return fd;
    }
    default:
        return 0;
    }
}

// As the stock socket BIO: the peer's end of input is reported, so that TLS
// tells a connection cut without close_notify from a plain system error.
long socketCtrlWithEof(BIO* bio, int cmd, long num, void* ptr)
{
    if (cmd == BIO_CTRL_EOF)
        return BIO_test_flags(bio, BIO_FLAGS_IN_EOF) != 0;
    return socketCtrl(bio, cmd, num, ptr);
}

int socketCreate(BIO* bio)
{
    BIO_set_init(bio, 1);
    return 1;
}

BIO_METHOD* makeMethod(const char* name, long (*ctrl)(BIO*, int, long, void*))
{
    BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK | BIO_TYPE_DESCRIPTOR, name);
    BIO_meth_set_write(m, socketWrite);
    BIO_meth_set_read(m, socketRead);
    BIO_meth_set_ctrl(m, ctrl);
    BIO_meth_set_create(m, socketCreate);
    return m;
}

BIO_METHOD* socketMethod(SocketBioEof eof)
{
    static BIO_METHOD* silent = makeMethod("qelt socket", socketCtrl);
    static BIO_METHOD* reporting = makeMethod("qelt socket (eof)", socketCtrlWithEof);
    return eof == SocketBioEof::Report ? reporting : silent;
}

} // namespace

BIO* newSocketBio(int fd, SocketBioEof eof)
{
    BIO* bio = BIO_new(socketMethod(eof));
    if (bio)
        BIO_set_data(bio, reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
    return bio;
}

} // namespace qelt
