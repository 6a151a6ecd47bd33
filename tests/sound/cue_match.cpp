// Finds the program's cues in a recording of a sound server's monitor, for
// the check against real servers (tests/desktop_checks/test_sound_servers.py).
//
//   cue_match RECORDING CUE1.wav ... CUEn.wav
//
// RECORDING is raw 16-bit little-endian mono at the cues' own rate. Prints one
// line for every cue found starting from its first sample, in the order heard:
//   <cue number> <start in s> <seconds heard> <correlation of its opening>
//   <delay in s>
// A cue is "heard" for as long as the recording goes on matching it, so a cue
// cut by the next one shows how far it got; a stall on the way moves the rest
// of it by the delay, and the cue ends at start + heard + delay.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "sound/wave_image.h"

namespace {

using Signal = std::vector<float>;

constexpr std::size_t kOpening = 2048;  // samples compared to find a start
constexpr std::size_t kScreen = 256;    // the cheaper first look
constexpr float kFound = 0.9f;          // correlation that counts as the cue
constexpr float kStillHeard = 0.7f;     // for a stretch of 0.1 s
constexpr float kQuiet = 1e-5f;         // mean energy of a quiet stretch of a cue

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct Cue {
  Signal samples;        // centred on rest
  std::size_t lead = 0;  // rest before the first sound
  unsigned rate = 0;
};

bool LoadCue(const char* path, Cue& cue) {
  const auto file = ReadFile(path);
  const auto wave = wave::Read(file);
  if (!wave || wave->format.bitsPerSample != 8 || wave->format.channels != 1) return false;
  for (std::uint8_t s : wave->samples) cue.samples.push_back((int(s) - 128) / 128.0f);
  const auto first = std::find_if(cue.samples.begin(), cue.samples.end(), [](float s) { return std::fabs(s) > 0.02f; });
  // Past the faint attack, which a recording that starts late may lack.
  cue.lead = std::size_t(first - cue.samples.begin()) + 1024;
  cue.rate = wave->format.samplesPerSecond;
  return cue.samples.size() >= cue.lead + kOpening;
}

// Correlation of a stretch of the recording with a stretch of the cue.
float Correlation(const float* a, const float* b, std::size_t n) {
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t i = 0; i < n; ++i) {
    ab += double(a[i]) * b[i];
    aa += double(a[i]) * a[i];
    bb += double(b[i]) * b[i];
  }
  return aa > 0 && bb > 0 ? float(ab / std::sqrt(aa * bb)) : 0.0f;
}

float MeanEnergy(const float* a, std::size_t n) {
  double e = 0;
  for (std::size_t i = 0; i < n; ++i) e += double(a[i]) * a[i];
  return float(e / n);
}

// Whether a stretch of the recording matches the same stretch of the cue.
bool Matches(const Signal& recording, std::size_t at, const Cue& cue, std::size_t k, std::size_t window) {
  const float* r = &recording[at + k];
  const float* c = &cue.samples[cue.lead + k];
  // A quiet stretch of the cue matches a quiet recording.
  const bool quiet = MeanEnergy(c, window) < kQuiet;
  return quiet ? MeanEnergy(r, window) <= 1e-3f : Correlation(r, c, window) >= kStillHeard;
}

struct Heard {
  double seconds = 0;  // of the cue, from its opening on
  double delay = 0;    // how far a stall moved the rest of it, in s
};

// How much of the cue the recording keeps matching. A stall of the program's
// audio thread or of the server leaves a gap and the rest of the cue comes
// later. The stretch that the gap falls in matches nowhere, so the match looks
// for the cue's next 0.2 s up to half a second later (or a little earlier,
// for a recording that lost a few milliseconds), a few times at most; a cue
// that was stopped is not found again.
Heard HeardOf(const Signal& recording, const std::size_t first, const Cue& cue) {
  const std::size_t window = cue.rate / 10;
  const std::size_t later = cue.rate / 2;
  const std::size_t earlier = cue.rate / 25;
  std::size_t at = first;
  int realigned = 0;
  std::size_t k = 0;
  // Whether cue samples [k, k + length) and the recording from `from` on hold them.
  const auto fits = [&](std::size_t from, std::size_t stretch, std::size_t length) {
    return cue.lead + stretch + length <= cue.samples.size() && from + stretch + length <= recording.size();
  };
  for (; fits(at, k, window); k += window) {
    if (Matches(recording, at, cue, k, window)) continue;
    const std::size_t next = k + window;
    const float* wanted = &cue.samples[cue.lead + next];
    if (realigned == 3 || !fits(0, next, 2 * window) || MeanEnergy(wanted, window) < kQuiet) break;
    std::optional<std::size_t> best;
    float bestCorrelation = kStillHeard;
    for (std::size_t from = at > earlier ? at - earlier : 0; from <= at + later && fits(from, next, 2 * window);
         ++from) {
      const float c = Correlation(&recording[from + next], wanted, window);
      if (c >= bestCorrelation && Correlation(&recording[from + next], wanted, 2 * window) >= kStillHeard) {
        best = from;
        bestCorrelation = c;
      }
    }
    if (!best) break;
    at = *best;
    ++realigned;
  }
  return {double(k) / cue.rate, (double(at) - double(first)) / cue.rate};
}

struct Found {
  int cue;
  double start;
  Heard heard;
  float correlation;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: cue_match RECORDING CUE1.wav ...\n");
    return 2;
  }
  const auto raw = ReadFile(argv[1]);
  Signal recording(raw.size() / 2);
  for (std::size_t i = 0; i < recording.size(); ++i) {
    recording[i] = std::int16_t(raw[2 * i] | raw[2 * i + 1] << 8) / 32768.0f;
  }
  std::vector<Found> found;
  for (int n = 2; n < argc; ++n) {
    Cue cue;
    if (!LoadCue(argv[n], cue)) {
      std::fprintf(stderr, "cue_match: %s is not a cue\n", argv[n]);
      return 2;
    }
    const float* opening = &cue.samples[cue.lead];
    for (std::size_t at = 0; at + kOpening <= recording.size(); ++at) {
      if (Correlation(&recording[at], opening, kScreen) < kFound) continue;
      // The best alignment nearby; once found, a jump past it.
      std::size_t best = at;
      float bestCorrelation = 0;
      for (std::size_t near = at; near < at + 64 && near + kOpening <= recording.size(); ++near) {
        const float c = Correlation(&recording[near], opening, kOpening);
        if (c > bestCorrelation) bestCorrelation = c, best = near;
      }
      if (bestCorrelation < kFound) continue;
      found.push_back(
          {n - 1, (double(best) - double(cue.lead)) / cue.rate, HeardOf(recording, best, cue), bestCorrelation});
      at = best + cue.rate / 10;
    }
  }
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.start < b.start; });
  // A cue that repeats its opening later on is still one cue.
  std::vector<Found> heard;
  for (const Found& f : found) {
    const bool within = std::any_of(heard.begin(), heard.end(), [&](const Found& h) {
      return h.cue == f.cue && f.start > h.start && f.start < h.start + h.heard.seconds + h.heard.delay;
    });
    if (!within) heard.push_back(f);
  }
  for (const Found& f : heard) {
    std::printf("%d %.3f %.2f %.3f %.3f\n", f.cue, f.start, f.heard.seconds, f.correlation, f.heard.delay);
  }
}
