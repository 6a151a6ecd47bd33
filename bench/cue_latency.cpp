// How soon a cue reaches the sound server: records a sink's monitor through
// libpulse while cues are asked for, and tells where sample 0 of the recording
// stands on the program's clock, so that scripts/benchmark.sh can set each
// request beside the start of its cue, which tests/sound/cue_match finds.
//
//   cue_latency RECORDING [SOURCE]   (SOURCE: kelvaro_sink.monitor by default)
//
// Prints one line per request, "request <cue> <s after sample 0> <phase>",
// with phase first (SDL loaded, the device opened), open (the device already
// playing) or reopen (after the device was let go), then "clock <spread ms>":
// how far the estimates of sample 0's time lie apart (10th to 90th percentile).
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QTimer>

#include "sound/module1.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr unsigned kRate = 22050;            // the cues' own rate: no resampling here
constexpr std::size_t kChunk = kRate / 200;  // 5 ms per read

// Reads the monitor into a file, estimating at every read when sample 0 was
// at the server: the read's time, less the stream's latency, less the
// samples before the newest one.
class Recorder {
 public:
  bool Start(const char* path, const char* source) {
    out_ = std::fopen(path, "wb");
    if (!out_) return false;
    const pa_sample_spec format{PA_SAMPLE_S16LE, kRate, 1};
    pa_buffer_attr attr{};
    attr.maxlength = attr.tlength = attr.prebuf = attr.minreq = std::uint32_t(-1);
    attr.fragsize = std::uint32_t(kChunk * 2);
    int error = 0;
    stream_ = pa_simple_new(nullptr, "cue_latency", PA_STREAM_RECORD, source, "monitor", &format, nullptr, &attr,
                            &error);
    if (!stream_) return false;
    thread_ = std::thread([this] { Run(); });
    return true;
  }

  void Stop() {
    quit_ = true;
    if (thread_.joinable()) thread_.join();
    if (stream_) pa_simple_free(stream_);
    if (out_) std::fclose(out_);
  }

  bool Running() const { return read_ > 0; }

  // The median estimate, and the 10th-to-90th-percentile spread.
  std::pair<Clock::time_point, double> SampleZero() {
    std::sort(zeros_.begin(), zeros_.end());
    const auto at = [&](double q) { return zeros_[std::size_t(q * double(zeros_.size() - 1))]; };
    return {at(0.5), std::chrono::duration<double, std::milli>(at(0.9) - at(0.1)).count()};
  }

 private:
  void Run() {
    std::vector<std::int16_t> chunk(kChunk);
    int error = 0;
    while (!quit_) {
      if (pa_simple_read(stream_, chunk.data(), chunk.size() * 2, &error) < 0) return;
      const Clock::time_point now = Clock::now();
      const pa_usec_t latency = pa_simple_get_latency(stream_, &error);
      std::fwrite(chunk.data(), 2, chunk.size(), out_);
      read_ += chunk.size();
      zeros_.push_back(now - std::chrono::microseconds(latency) -
                       std::chrono::duration_cast<Clock::duration>(Seconds(double(read_ - 1) / kRate)));
    }
  }

  std::FILE* out_ = nullptr;
  pa_simple* stream_ = nullptr;
  std::thread thread_;
  std::atomic<bool> quit_ = false;
  std::atomic<std::size_t> read_ = 0;
  std::vector<Clock::time_point> zeros_;
};

struct Request {
  int cue;
  Clock::time_point at;
  const char* phase;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: cue_latency RECORDING [SOURCE]\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  Recorder recorder;
  if (!recorder.Start(argv[1], argc > 2 ? argv[2] : "kelvaro_sink.monitor")) {
    std::fprintf(stderr, "cue_latency: no recording from the server\n");
    return 1;
  }
  std::vector<Request> requests;
  const auto cue = [&](int id, const char* phase) {
    requests.push_back({id, Clock::now(), phase});
    Module1::soundCueId = FormValue(std::int16_t(id));
    Module1::PlaySoundCue();
  };
  // The first cue, then twenty more 0.6 s apart, each cutting the one before;
  // the last plays out and the device is let go 3 s later; then one more.
  QTimer::singleShot(1000, Qt::PreciseTimer, [&] { cue(4, "first"); });
  for (int n = 1; n <= 20; ++n)
    QTimer::singleShot(1000 + n * 600, Qt::PreciseTimer, [&, n] { cue(n % 2 ? 2 : 4, "open"); });
  QTimer::singleShot(21000, Qt::PreciseTimer, [&] { cue(4, "reopen"); });
  QTimer::singleShot(22000, Qt::PreciseTimer, [&] { app.quit(); });
  app.exec();
  recorder.Stop();
  if (!recorder.Running()) return 1;
  const auto [zero, spread] = recorder.SampleZero();
  for (const Request& r : requests) std::printf("request %d %.4f %s\n", r.cue, Seconds(r.at - zero).count(), r.phase);
  std::printf("clock %.2f\n", spread);
}
