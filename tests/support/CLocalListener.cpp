#include "support/CLocalListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

CLocalListener::CLocalListener() : Socket(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (Socket < 0 || bind(Socket, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(Socket, 8) != 0 ||
        getsockname(Socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (Socket >= 0)
            close(Socket);
        throw std::runtime_error("cannot listen on the loopback interface");
    }
    Port = ntohs(address.sin_port);
    Acceptor = std::thread([this] {
        for (;;) {
            int connection = accept(Socket, nullptr, nullptr);
            if (connection < 0)
                return; // the socket was shut down
            ++Connections;
            close(connection);
        }
    });
}

CLocalListener::~CLocalListener() {
    shutdown(Socket, SHUT_RDWR); // wakes the acceptor
    Acceptor.join();
    close(Socket);
}
