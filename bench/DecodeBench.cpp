// Poster decoding speed against the JPEG library's own command-line decoder.
//
// Method. For each poster (the 3008 x 2000 img05 and the 1200 x 798 img01, or generated
// JPEGs of the same sizes when the files are missing) three things are timed in one run:
// - Decode: TJpegDecoder decoding the bytes in memory into a 24-bit bitmap;
// - Djpeg: the process "djpeg -bmp -outfile /dev/null <file>" (same library, same default
//   parameters, bottom-up BGR output like ours), timed from spawn to exit, minus the
//   median cost of the same command on an 8 x 8 JPEG measured just before, which stands
//   for process start-up, library loading and the file header;
// - Reference: an in-process decode with the library's plain defaults (RGB rows into one
//   reusable row buffer), the floor that any wrapper can reach.
// The summary prints Decode / Djpeg (goal: at most 1.05) and Decode / Reference.
#include "gfx/JpegDecoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <jpeglib.h>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

struct TPoster {
    std::string Name;
    std::filesystem::path Path;
    std::vector<std::uint8_t> Bytes;
};

std::filesystem::path WorkDir()
{
    static const std::filesystem::path dir = [] {
        std::filesystem::path path = std::filesystem::path(VELTRANE_BINARY_DIR) / "bench-decode";
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

// A photo-like JPEG of the given size: gradients, noise and edges, quality 90, 4:2:0.
std::vector<std::uint8_t> GenerateJpeg(int width, int height)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    unsigned noise = 1;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                noise = noise * 1103515245u + 12345u;
                int v = (x * 255 / width + y * 255 / height * c) / 2 + static_cast<int>((noise >> 16) & 15);
                if ((x / 64 + y / 48) % 7 == c)
                    v = 255 - v;
                row[static_cast<std::size_t>(x) * 3 + c] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
            }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> result(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return result;
}

TPoster LoadPoster(const std::string& name, int width, int height)
{
    TPoster poster;
    poster.Name = name;
    poster.Path = std::filesystem::path(VELTRANE_SOURCE_DIR) / "resources" / (name + ".jpg");
    std::ifstream in(poster.Path, std::ios::binary);
    if (in) {
        poster.Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return poster;
    }
    poster.Name = name + "-generated";
    poster.Bytes = GenerateJpeg(width, height);
    poster.Path = WorkDir() / (poster.Name + ".jpg");
    std::ofstream out(poster.Path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(poster.Bytes.data()), static_cast<std::streamsize>(poster.Bytes.size()));
    return poster;
}

// Runs djpeg on a file and answers the wall time from spawn to exit.
double RunDjpegSeconds(const std::filesystem::path& file)
{
    const std::string path = file.string();
    const char* argv[] = {"djpeg", "-bmp", "-outfile", "/dev/null", path.c_str(), nullptr};
    const auto start = TClock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = std::chrono::duration<double>(TClock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double MeasureStartupSeconds()
{
    const std::filesystem::path tiny = WorkDir() / "tiny.jpg";
    const std::vector<std::uint8_t> bytes = GenerateJpeg(8, 8);
    std::ofstream(tiny, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    std::vector<double> runs;
    for (int i = 0; i < 31; ++i)
        runs.push_back(RunDjpegSeconds(tiny));
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

// The library's plain decode: default parameters, RGB rows into one scratch row.
void ReferenceDecode(const std::vector<std::uint8_t>& bytes)
{
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components);
    JSAMPROW rows[1] = {row.data()};
    while (cinfo.output_scanline < cinfo.output_height)
        jpeg_read_scanlines(&cinfo, rows, 1);
    benchmark::DoNotOptimize(row.data());
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

double GStartupSeconds = 0;   // set once in main before the benchmarks run

void BM_Decode(benchmark::State& state, const TPoster* poster)
{
    for (auto _ : state) {
        TBitmap bitmap = DecodeJpeg(poster->Bytes);
        benchmark::DoNotOptimize(bitmap.Bits());
    }
}

void BM_Reference(benchmark::State& state, const TPoster* poster)
{
    for (auto _ : state)
        ReferenceDecode(poster->Bytes);
}

void BM_Djpeg(benchmark::State& state, const TPoster* poster)
{
    for (auto _ : state) {
        const double seconds = RunDjpegSeconds(poster->Path);
        if (seconds < 0) {
            state.SkipWithError("djpeg failed");
            break;
        }
        state.SetIterationTime(std::max(seconds - GStartupSeconds, 1e-9));
    }
}

// Remembers the real time of every run for the summary.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                FTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    double Time(const std::string& name) const
    {
        for (const auto& [key, value] : FTimes)
            if (key.rfind(name, 0) == 0)
                return value;
        return 0;
    }

private:
    std::map<std::string, double> FTimes;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    static const std::vector<TPoster> posters = {LoadPoster("img05", 3008, 2000), LoadPoster("img01", 1200, 798)};
    GStartupSeconds = MeasureStartupSeconds();
    std::printf("djpeg start-up (8 x 8 JPEG, median of 31): %.3f ms\n", GStartupSeconds * 1e3);
    for (const TPoster& poster : posters) {
        benchmark::RegisterBenchmark(("Decode/" + poster.Name).c_str(), BM_Decode, &poster)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Reference/" + poster.Name).c_str(), BM_Reference, &poster)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Djpeg/" + poster.Name).c_str(), BM_Djpeg, &poster)
            ->UseManualTime()
            ->Iterations(20)
            ->Unit(benchmark::kMillisecond);
    }
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const TPoster& poster : posters) {
        const double ours = reporter.Time("Decode/" + poster.Name);
        const double djpeg = reporter.Time("Djpeg/" + poster.Name);
        const double reference = reporter.Time("Reference/" + poster.Name);
        if (ours <= 0 || djpeg <= 0 || reference <= 0)
            continue;
        const double ratio = ours / djpeg;
        std::printf("%-18s decode / djpeg = %.3f (%s, goal <= 1.05), decode / in-process reference = %.3f\n",
                    poster.Name.c_str(), ratio, ratio <= 1.05 ? "met" : "NOT met", ours / reference);
    }
    benchmark::Shutdown();
    return 0;
}
