// What the next start did, one line per operation, on standard output.
#include <cstdio>

#include "boot.h"
#include "kernel/host_errors.h"

void report_done(const std::string& what) {
    std::printf("%s\n", what.c_str());
}

void report_failed(const std::string& what) {
    std::printf("failed: %s: %s\n", what.c_str(), vorn::kernel::error_text(GetLastError()));
}

bool carry_out(const std::string& source, const std::string* destination, DWORD flags) {
    if (destination == nullptr) {
        if (DeleteFileA(source.c_str()) == FALSE) {
            report_failed("delete " + source);
            return false;
        }
        report_done("deleted " + source);
        return true;
    }
    if (MoveFileExA(source.c_str(), destination->c_str(), flags) == FALSE) {
        report_failed("move " + source + " -> " + *destination);
        return false;
    }
    report_done("moved " + source + " -> " + *destination);
    return true;
}
