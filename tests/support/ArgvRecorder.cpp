// Writes its arguments, each ended by a NUL byte, to "<own path>.argv", via a
// temporary file so that a reader never sees half of them.
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    std::string target = std::string(argv[0]) + ".argv";
    std::string temporary = target + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return 1;
    for (int i = 1; i < argc; ++i) std::fwrite(argv[i], 1, std::string(argv[i]).size() + 1, f);
    std::fclose(f);
    return std::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : 1;
}
