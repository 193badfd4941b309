#include "support/CFileOpenWatch.h"

#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

CFileOpenWatch::CFileOpenWatch() : Fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (Fd < 0)
        throw std::runtime_error("inotify is not available");
}

CFileOpenWatch::~CFileOpenWatch() {
    close(Fd);
}

void CFileOpenWatch::Watch(const std::string& path) {
    if (inotify_add_watch(Fd, path.c_str(), IN_OPEN | IN_ACCESS) < 0)
        throw std::runtime_error("cannot watch " + path);
}

bool CFileOpenWatch::Touched() {
    alignas(inotify_event) char events[4096];
    bool touched = false;
    while (read(Fd, events, sizeof events) > 0)
        touched = true;
    return touched;
}
