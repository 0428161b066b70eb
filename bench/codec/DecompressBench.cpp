// DecompressBuffer against zlib's one-shot uncompress into a buffer of the right size. Both sides allocate
// their output inside the timed loop, as a real caller must. The run ends with the ratio of each pair.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <zlib.h>

#include "bench/codec/SyntheticExecutable.h"
#include "installer/codec/ZlibCodec.h"

namespace {

struct Payload {
  std::vector<uint8_t> stream;
  size_t inflatedSize;
};

Payload Packed(const std::vector<uint8_t> &data) {
  TByteBlock stream = CompressBuffer(data);
  return {std::vector<uint8_t>(stream.Data(), stream.Data() + stream.Size()), data.size()};
}

const Payload &Executable() {
  static const Payload payload = Packed(SyntheticExecutable());
  return payload;
}

const Payload &Zeros() {
  static const Payload payload = Packed(std::vector<uint8_t>(64u << 20, 0));
  return payload;
}

void Describe(benchmark::State &state, const Payload &payload) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.inflatedSize));
  state.counters["stream_bytes"] = static_cast<double>(payload.stream.size());
}

void DecompressBufferRun(benchmark::State &state, const Payload &payload) {
  for (auto _ : state) {
    TByteBlock inflated = DecompressBuffer(payload.stream);
    if (inflated.Size() != payload.inflatedSize) state.SkipWithError("wrong size");
    benchmark::DoNotOptimize(inflated.Data());
  }
  Describe(state, payload);
}

void UncompressRun(benchmark::State &state, const Payload &payload) {
  for (auto _ : state) {
    std::unique_ptr<uint8_t[]> out(new uint8_t[payload.inflatedSize]);
    uLongf size = static_cast<uLongf>(payload.inflatedSize);
    if (uncompress(out.get(), &size, payload.stream.data(), static_cast<uLong>(payload.stream.size())) != Z_OK ||
        size != payload.inflatedSize)
      state.SkipWithError("uncompress failed");
    benchmark::DoNotOptimize(out.get());
  }
  Describe(state, payload);
}

// Prints the usual table, then DecompressBuffer's time over uncompress's for each payload: the mean over
// repetitions when there are several, else the one run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
      if (run.error_occurred || !(single || mean)) continue;
      const std::string name = run.run_name.str();
      const auto slash = name.find('/');
      times_[name.substr(slash + 1)][name.substr(0, slash)] = run.GetAdjustedRealTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto &[payload, times] : times_) {
      auto ours = times.find("DecompressBuffer");
      auto zlib = times.find("uncompress");
      if (ours != times.end() && zlib != times.end())
        std::printf("ratio %s: DecompressBuffer / uncompress = %.3f\n", payload.c_str(), ours->second / zlib->second);
    }
  }

private:
  std::map<std::string, std::map<std::string, double>> times_;
};

} // namespace

BENCHMARK_CAPTURE(DecompressBufferRun, executable_1_5MB, Executable())->Name("DecompressBuffer/executable_1_5MB");
BENCHMARK_CAPTURE(UncompressRun, executable_1_5MB, Executable())->Name("uncompress/executable_1_5MB");
BENCHMARK_CAPTURE(DecompressBufferRun, zeros_64MiB, Zeros())->Name("DecompressBuffer/zeros_64MiB");
BENCHMARK_CAPTURE(UncompressRun, zeros_64MiB, Zeros())->Name("uncompress/zeros_64MiB");

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
