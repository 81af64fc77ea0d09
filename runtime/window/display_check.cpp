#include "runtime/window/display_check.hpp"

#include <cstdlib>
#include <string>

#if defined(__unix__) && !defined(__APPLE__)
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#include <cstring>
#endif

namespace rt {

namespace {

#if defined(__unix__) && !defined(__APPLE__)

constexpr int kConnectTimeoutMs = 2000;

bool connect_unix(const std::string& path, bool abstract) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;  // an abstract name starts with a 0 byte
    if (path.size() + offset >= sizeof(addr.sun_path)) {
        ::close(fd);
        return false;
    }
    std::memcpy(addr.sun_path + offset, path.data(), path.size());
    const auto len =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), len) == 0;
    ::close(fd);
    return ok;
}

bool connect_tcp(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    bool ok = false;
    for (addrinfo* a = found; a && !ok; a = a->ai_next) {
        int fd = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (fd < 0) continue;
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            ok = true;
        } else if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int err = 0;
            socklen_t err_len = sizeof err;
            ok = ::poll(&p, 1, kConnectTimeoutMs) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &err_len) == 0 &&
                 err == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return ok;
}

// An X display name is [host]:number[.screen]; no host (or "unix") is a
// local socket.
bool x_display_reachable(const std::string& name) {
    const auto colon = name.rfind(':');
    if (colon == std::string::npos) return false;
    const std::string host = name.substr(0, colon);
    std::string number = name.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 5) {
        return false;
    }
    if (host.empty() || host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + number;
        return connect_unix(path, true) || connect_unix(path, false);
    }
    return connect_tcp(host, 6000 + std::stoi(number));
}

#endif

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

}  // namespace

std::optional<std::string> display_problem() {
#if defined(__unix__) && !defined(__APPLE__)
    const std::string platform = env("QT_QPA_PLATFORM");
    const bool wants_x = platform.empty() || platform.rfind("xcb", 0) == 0;
    if (platform.rfind("wayland", 0) == 0) {
        if (env("WAYLAND_DISPLAY").empty()) return "WAYLAND_DISPLAY is not set";
        return std::nullopt;
    }
    if (!wants_x) return std::nullopt;  // offscreen, vnc, ... need no display
    const std::string display = env("DISPLAY");
    if (display.empty()) {
        if (platform.empty() && !env("WAYLAND_DISPLAY").empty()) return std::nullopt;
        return "DISPLAY is not set";
    }
    if (!x_display_reachable(display)) return "cannot connect to display " + display;
#endif
    return std::nullopt;
}

std::string no_display_message(std::string_view program, std::string_view problem) {
    std::string p(program);
    return p + ": no display found (" + std::string(problem) + "); run with --headless to use " + p +
           " without windows";
}

}  // namespace rt
