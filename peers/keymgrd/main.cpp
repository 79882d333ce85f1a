// keymgrd: the key manager service behind tolvak32.
//   keymgrd [--socket PATH] --state DIR    serve until SIGTERM or SIGINT
//   keymgrd --state DIR --show             print the stored state, without the password
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include <sodium.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "key_service.h"
#include "key_store.h"
#include "keymgr_wire.h"
#include "listener.h"

using namespace vorn::keymgr;

namespace {

const char kUsage[] = "usage: keymgrd [--socket PATH] --state DIR\n"
                      "       keymgrd --state DIR --show\n";

struct Options {
    std::string socket;
    std::string state;
    bool show = false;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--show") {
            options.show = true;
        } else if ((argument == "--socket" || argument == "--state") && i + 1 < argc) {
            (argument == "--socket" ? options.socket : options.state) = argv[++i];
        } else {
            return false;
        }
    }
    if (options.socket.empty()) {
        options.socket = default_socket_path();
    }
    return !options.state.empty();
}

int show(const Options& options) {
    struct stat directory {};
    if (::stat(options.state.c_str(), &directory) != 0 || !S_ISDIR(directory.st_mode)) {
        std::fprintf(stderr, "keymgrd: %s: no such state directory\n", options.state.c_str());
        return 1;
    }
    KeyStore store(options.state);
    std::string error;
    if (!store.load(error)) {
        std::fprintf(stderr, "keymgrd: %s\n", error.c_str());
        return 1;
    }
    store.show(stdout);
    return 0;
}

int run(const Options& options) {
    // A core file of the service could hold passwords in transit.
    rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    sigprocmask(SIG_BLOCK, &stop, nullptr);

    std::string error;
    KeyStore store(options.state);
    if (!make_directories(options.state, error) || !store.load(error)) {
        std::fprintf(stderr, "keymgrd: %s\n", error.c_str());
        return 1;
    }
    int listener = open_listener(options.socket, error);
    if (listener < 0) {
        std::fprintf(stderr, "keymgrd: %s\n", error.c_str());
        return 1;
    }
    KeyService service(std::move(store));
    std::printf("keymgrd: serving %s\n", options.socket.c_str());
    std::fflush(stdout);
    return serve(listener, options.socket, service);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (sodium_init() < 0) {
        std::fputs("keymgrd: libsodium failed to initialise\n", stderr);
        return 1;
    }
    return options.show ? show(options) : run(options);
}
