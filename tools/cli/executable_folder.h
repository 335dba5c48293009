// The folder of the running command-line tool, GBK, without a trailing
// separator; "" when it cannot be found.
#pragma once

#include <string>

std::string ExecutableFolder();
