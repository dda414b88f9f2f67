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

int socketCreate(BIO* bio)
{
    BIO_set_init(bio, 1);
    return 1;
}

BIO_METHOD* socketMethod()
{
    static BIO_METHOD* method = [] {
        BIO_METHOD* m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK | BIO_TYPE_DESCRIPTOR, "qelt socket");
        BIO_meth_set_write(m, socketWrite);
        BIO_meth_set_read(m, socketRead);
        BIO_meth_set_ctrl(m, socketCtrl);
        BIO_meth_set_create(m, socketCreate);
        return m;
    }();
    return method;
}

} // namespace

BIO* newSocketBio(int fd)
{
    BIO* bio = BIO_new(socketMethod());
    if (bio)
        BIO_set_data(bio, reinterpret_cast<void*>(static_cast<intptr_t>(fd)));
    return bio;
}

} // namespace qelt
