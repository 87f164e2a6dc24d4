// A program without Qt for qx-inspect to run untouched: it prints its arguments and whether the probe
// library is mapped into it, and exits with code 7.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char **argv)
{
    std::printf("plain program:");
    for (int i = 1; i < argc; ++i)
        std::printf(" %s", argv[i]);
    std::ifstream maps("/proc/self/maps");
    const std::string mapped((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    std::printf("\nprobe loaded: %s\n",
                mapped.find("libQXInspectorProbe") != std::string::npos ? "yes" : "no");
    return 7;
}
