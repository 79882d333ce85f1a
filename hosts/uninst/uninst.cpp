// uninst -c"C:\PROD\PURGEX32.DLL": the host uninstaller. Loads PURGEX32.DLL from the
// directory of the -c value, calls UninstInitialize, removes the product's files listed
// in that directory's UNINSTAL.INI, and calls UninstUnInitialize, which schedules the
// restoration of replaced files, removes the uninstaller and asks for a restart.
// Exit status: 0 done, 1 some product file stayed, 2 nothing done (usage, no library).
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <string>

#include <purgex32.h>

#include "kernel/paths.h"
#include "product_files.h"

namespace {

// The -c value, the option joined to it; one pair of quotes around it is dropped.
std::string option_value(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-c", 2) == 0) {
            std::string value = argv[i] + 2;
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            return value;
        }
    }
    return {};
}

std::string directory_of(const std::string& path) {
    auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

} // namespace

int main(int argc, char** argv) {
    std::string value = option_value(argc, argv);
    if (value.empty()) {
        std::fprintf(stderr, "usage: uninst -c\"C:\\DIR\\PURGEX32.DLL\"\n");
        return 2;
    }
    std::string directory = directory_of(value);
    std::string library = directory + "PURGEX32.DLL";
    auto host = vorn::kernel::host_path(library);
    void* module = host ? ::dlopen(host->c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (module == nullptr) {
        std::fprintf(stderr, "uninst: cannot load %s: %s\n", library.c_str(),
                     host ? ::dlerror() : "no such drive");
        return 2;
    }
    auto initialize = reinterpret_cast<UninstEntryPoint>(::dlsym(module, "UninstInitialize"));
    auto uninitialize = reinterpret_cast<UninstEntryPoint>(::dlsym(module, "UninstUnInitialize"));
    if (initialize == nullptr || uninitialize == nullptr) {
        std::fprintf(stderr, "uninst: %s lacks the uninstall entry points\n", library.c_str());
        ::dlclose(module);
        return 2;
    }
    initialize(0, 0, 0);
    int failures = remove_product_files(directory + "UNINSTAL.INI");
    uninitialize(0, 0, 0);
    ::dlclose(module);
    return failures == 0 ? 0 : 1;
}
