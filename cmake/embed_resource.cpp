// Build-time tool: writes a C++ unit that holds a file's bytes and registers them as a resource
// of the library it is compiled into (rtl/Resources.h).
//   embed_resource FILE OUTPUT NAME TYPE
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s FILE OUTPUT NAME TYPE\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ostringstream out;
    out << "// Generated from " << argv[1] << "\n#include \"rtl/Resources.h\"\nnamespace {\n"
        << "const unsigned char kData[" << bytes.size() << " + 1] = {\n";
    static const char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out << "0x" << digits[b >> 4] << digits[b & 15] << ',';
        if (i % 16 == 15) out << '\n';
    }
    // one byte more, so text resources end in a NUL
    out << "0};\nconst TResourceRegistrar kRegistrar(HInstance, " << argv[4] << ", \"" << argv[3]
        << "\", kData, " << bytes.size() << ");\n}  // namespace\n";
    const std::string temp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file << out.str();
        if (!file.flush()) {
            std::fprintf(stderr, "%s: cannot be written\n", temp.c_str());
            return 1;
        }
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
