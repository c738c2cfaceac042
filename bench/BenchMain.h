#pragma once
// What the benchmark programs share: the peak memory of the process, input
// generated item by item into a file, and a main that either writes such a
// file (for timing quorvel-size itself) or runs the benchmarks:
//
//   bench_x                              runs the benchmarks
//   bench_x --generate FILE [COUNT]      writes COUNT items to FILE

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quorvel::bench {

using Item = std::string (*)(std::size_t index);

inline double PeakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

inline void WriteItems(std::FILE* file, std::size_t count, Item item)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::string text = item(i);
        std::fwrite(text.data(), 1, text.size(), file);
    }
}

inline int Main(int argc, char** argv, std::size_t defaultCount, Item item)
{
    if (argc >= 3 && std::strcmp(argv[1], "--generate") == 0) {
        std::FILE* file = std::fopen(argv[2], "wb");
        if (file == nullptr) {
            std::perror(argv[2]);
            return 1;
        }
        WriteItems(file, argc >= 4 ? std::strtoull(argv[3], nullptr, 10) : defaultCount, item);
        return std::fclose(file) == 0 ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quorvel::bench
