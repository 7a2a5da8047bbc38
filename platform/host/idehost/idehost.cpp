// idehost: the command-line IDE host (see host/Shell.h for its commands).
#include <iostream>

#include "hostimpl/Shell.h"

int main(int argc, char** argv)
{
    std::vector<String> args(argv + 1, argv + argc);
    return hostimpl::RunIdeHost(args, std::cin, std::cout, std::cerr);
}
