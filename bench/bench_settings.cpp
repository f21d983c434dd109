// eyes.ini at its worst: a key after 10 MB of other lines, read and rewritten;
// and the small file every skin load reads.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "system/win32.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own holding a settings file with the wanted amount of filler.
class SettingsFile {
public:
    explicit SettingsFile(size_t fillerBytes)
    {
        std::string pattern = (fs::temp_directory_path() / "glimora-bench-XXXXXX").string();
        folder = mkdtemp(&pattern[0]);
        path = folder + "/eyes.ini";
        std::string text = "[filler]\n";
        while (text.size() < fillerBytes)
            text += "key" + std::to_string(text.size()) + "=some value\n";
        std::ofstream(path, std::ios::binary) << text << "[global]\nx=250\ny=340\nskin=green\n";
    }
    ~SettingsFile() { fs::remove_all(folder); }

    std::string folder, path;
};

void BM_ReadKeyAfter10MB(benchmark::State& state)
{
    SettingsFile file(10 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(GetPrivateProfileIntA("global", "y", 0, file.path.c_str()));
}
BENCHMARK(BM_ReadKeyAfter10MB)->Unit(benchmark::kMillisecond);

void BM_WriteKeyAfter10MB(benchmark::State& state)
{
    SettingsFile file(10 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(WritePrivateProfileStringA("global", "y", "341", file.path.c_str()));
}
BENCHMARK(BM_WriteKeyAfter10MB)->Unit(benchmark::kMillisecond);

void BM_ReadSkinNameFromSmallFile(benchmark::State& state)
{
    SettingsFile file(0);
    char name[512];
    for (auto _ : state)
        benchmark::DoNotOptimize(
            GetPrivateProfileStringA("global", "skin", "", name, sizeof name, file.path.c_str()));
}
BENCHMARK(BM_ReadSkinNameFromSmallFile)->Unit(benchmark::kMicrosecond);

}  // namespace
