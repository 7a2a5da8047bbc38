// Stand-in for the ORB's IDL-to-C++ compiler, for tests: reads one IDL file and writes client and
// server sources and headers into the working directory (or below -root_dir).
//   "#pragma warning TEXT" in the IDL prints "<file>: (warning) TEXT" on standard output;
//   "#error TEXT" prints "<file>, line N: TEXT" on standard error and fails;
//   "#pragma extra NAME" also writes the file NAME;
//   "#pragma krotex TEXT" prints "<file>:N: TEXT" on standard error, as krotex does, and fails
//   unless TEXT begins with "(warning)";
//   "#pragma wait FILE" waits until FILE exists (ten seconds at most, then fails);
//   "#pragma stop-parent" writes part of a header, sends SIGTERM to its parent and waits to be
//   stopped itself;
//   an include that is not found prints an error on standard error and fails.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::string src = "cc", hdr = "hh", client = "_c", server = "_s", root, file;
    std::vector<std::string> incl;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&](std::string& v) {
            if (i + 1 < argc) v = argv[++i];
        };
        if (a == "-src_suffix")
            next(src);
        else if (a == "-hdr_suffix")
            next(hdr);
        else if (a == "-client_ext")
            next(client);
        else if (a == "-server_ext")
            next(server);
        else if (a == "-root_dir")
            next(root);
        else if (a.rfind("-I", 0) == 0)
            incl.push_back(a.substr(2));
        else if (!a.empty() && a[0] != '-')
            file = a;
    }
    std::ifstream in(file);
    if (file.empty() || !in) {
        std::cerr << "Error: cannot open file " << file << "\n";
        return 1;
    }
    std::stringstream body;
    body << in.rdbuf();
    std::istringstream lines(body.str());
    std::string line;
    int n = 0;
    bool failed = false;
    std::vector<std::string> extra;
    while (std::getline(lines, line)) {
        ++n;
        if (line.rfind("#pragma warning ", 0) == 0)
            std::cout << file << ": (warning) " << line.substr(16) << "\n";
        if (line.rfind("#pragma extra ", 0) == 0) extra.push_back(line.substr(14));
        if (line.rfind("#pragma wait ", 0) == 0) {
            std::cout.flush();
            int tries = 0;
            for (; !fs::exists(line.substr(13)) && tries < 100; ++tries)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (tries == 100) {
                std::cerr << file << ":" << n << ": waited in vain for " << line.substr(13) << "\n";
                failed = true;
            }
        }
        if (line == "#pragma stop-parent") {
            std::ofstream(fs::path(file).stem().string() + "_c.hh") << "// part of a hea";
            kill(getppid(), SIGTERM);
            pause();
        }
        if (line.rfind("#pragma krotex ", 0) == 0) {
            std::cerr << file << ":" << n << ": " << line.substr(15) << "\n";
            failed = failed || line.compare(15, 9, "(warning)") != 0;
        }
        if (line.rfind("#error ", 0) == 0) {
            std::cerr << file << ", line " << n << ": " << line.substr(7) << "\n";
            failed = true;
        }
        if (line.rfind("#include \"", 0) == 0) {
            const std::string inc = line.substr(10, line.find('"', 10) - 10);
            bool found = fs::exists(fs::path(file).parent_path() / inc);
            for (const auto& d : incl) found = found || fs::exists(fs::path(d) / inc);
            if (!found) {
                std::cerr << file << ", line " << n << ": cannot open include file " << inc << "\n";
                failed = true;
            }
        }
    }
    if (failed) return 1;
    const std::string stem = fs::path(file).stem().string();
    const fs::path dir = root.empty() ? fs::path(".") : fs::path(root);
    fs::create_directories(dir);
    for (const auto& ext : {client, server})
        for (const auto& suffix : {src, hdr}) {
            const fs::path out = dir / (stem + ext + "." + suffix);
            std::ofstream(out) << "// " << stem << ext << "." << suffix << " generated from " << file << "\n"
                               << body.str();
            std::cout << "Creating: " << out.string() << "\n";
        }
    for (const auto& name : extra)
        std::ofstream(dir / name) << "// " << name << " generated from " << file << "\n";
    return 0;
}
