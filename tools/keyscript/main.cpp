#include <iostream>
#include <string>
#include <vector>

#include "KeyScript.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return harfpad::tools::runKeyScript(args, std::cout, std::cerr);
}
