#pragma once

#include <atomic>
#include <thread>

// A TCP port on the loopback interface that accepts connections and closes them at once,
// counting them, to show that a parser did not reach for the network (a client that did gets
// an empty answer rather than waiting forever).
class CLocalListener {
public:
    // Listens on a free port of 127.0.0.1; throws std::runtime_error when it cannot.
    CLocalListener();
    ~CLocalListener();
    CLocalListener(const CLocalListener&) = delete;
    CLocalListener& operator=(const CLocalListener&) = delete;

    int GetPort() const { return Port; }
    // The connections accepted so far.
    int GetConnections() const { return Connections; }

private:
    int Socket; // owned listening socket
    int Port = 0;
    std::atomic<int> Connections{0};
    std::thread Acceptor;
};
