// The product's own files, listed by setup in the section [files] of UNINSTAL.INI.
#pragma once

#include <string>

// Removes every file listed (a listed directory is removed when empty), in list order,
// printing one line for each. Gives the number that could not be removed.
int remove_product_files(const std::string& listFile);
