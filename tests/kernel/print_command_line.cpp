// Prints the process's command line as GetCommandLineA gives it.
#include <cstdio>
#include <windows.h>

int main() {
    std::fputs(GetCommandLineA(), stdout);
    return 0;
}
