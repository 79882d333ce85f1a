// The pending-operations store: one line per delayed operation, in order.
#include "kernel/pending.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "kernel/locked_file.h"
#include "kernel/paths.h"

namespace vorn::kernel {
namespace {

std::vector<PendingOperation> parse(const std::string& contents) {
    std::vector<PendingOperation> operations;
    std::istringstream lines(contents);
    std::string line;
    while (std::getline(lines, line)) {
        auto firstTab = line.find('\t');
        auto secondTab = firstTab == std::string::npos ? firstTab : line.find('\t', firstTab + 1);
        if (secondTab == std::string::npos) {
            continue; // a line cut short by a crash names no operation
        }
        PendingOperation operation;
        operation.flags =
            static_cast<DWORD>(std::strtoul(line.substr(0, firstTab).c_str(), nullptr, 16));
        operation.source = line.substr(firstTab + 1, secondTab - firstTab - 1);
        std::string destination = line.substr(secondTab + 1);
        if (!destination.empty()) {
            operation.destination = destination;
        }
        operations.push_back(operation);
    }
    return operations;
}

} // namespace

std::string pending_operations_path() {
    return root_directory() + "/pending-operations";
}

bool append_pending_operation(const PendingOperation& operation) {
    char flags[16];
    std::snprintf(flags, sizeof flags, "%08X", static_cast<unsigned>(operation.flags));
    std::string line = std::string(flags) + '\t' + operation.source + '\t' +
                       operation.destination.value_or("") + '\n';
    return append_locked(pending_operations_path(), line);
}

std::vector<PendingOperation> read_pending_operations() {
    std::vector<PendingOperation> operations;
    with_locked_contents(pending_operations_path(), false,
                         [&](const std::string& contents) { operations = parse(contents); });
    return operations;
}

bool drain_pending_operations(const std::function<void(const PendingOperation&)>& run) {
    return with_locked_contents(pending_operations_path(), true, [&](const std::string& contents) {
        for (const PendingOperation& operation : parse(contents)) {
            run(operation);
        }
    });
}

} // namespace vorn::kernel
