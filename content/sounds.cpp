// Sound synthesis: short tones, sweeps and filtered noise with smooth envelopes,
// each effect normalised to the same peak so that none clips and none is lost.
#include "content/sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "content/canvas.h"

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double PEAK = 0.7;  // of full scale

using Buffer = std::vector<double>;

Buffer silence(double seconds) { return Buffer(size_t(seconds * SOUND_RATE), 0.0); }

// Attack, then an exponential decay to the end; short fades keep clicks away.
double envelope(double t, double length, double attack, double decay) {
  double a = t < attack ? t / attack : 1.0;
  double d = std::exp(-(t - std::min(t, attack)) * decay);
  double tail = std::min(1.0, (length - t) / 0.005);
  return a * d * std::max(0.0, tail);
}

enum class Wave { SINE, TRIANGLE, SOFT_SQUARE };

double waveAt(Wave w, double phase) {
  double p = phase - std::floor(phase);
  switch (w) {
    case Wave::SINE: return std::sin(2 * PI * p);
    case Wave::TRIANGLE: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case Wave::SOFT_SQUARE: return std::tanh(4 * std::sin(2 * PI * p)) * 0.8;
  }
  return 0;
}

// Adds a tone whose frequency glides from f0 to f1 (exponentially), starting at `start` s.
void tone(Buffer& b, double start, double length, double f0, double f1, Wave w, double gain, double attack,
          double decay, double vibrato = 0) {
  double phase = 0;
  size_t first = size_t(start * SOUND_RATE), count = size_t(length * SOUND_RATE);
  if (b.size() < first + count) b.resize(first + count, 0.0);
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / SOUND_RATE;
    double f = f0 * std::pow(f1 / f0, t / length) * (1 + vibrato * std::sin(2 * PI * 6 * t));
    phase += f / SOUND_RATE;
    b[first + i] += gain * envelope(t, length, attack, decay) * waveAt(w, phase);
  }
}

// Adds noise through a one-pole low-pass whose cut-off glides from c0 to c1 (0..1).
void noise(Buffer& b, double start, double length, double c0, double c1, double gain, double attack, double decay,
           uint32_t seed) {
  Prng rng(seed);
  double y = 0;
  size_t first = size_t(start * SOUND_RATE), count = size_t(length * SOUND_RATE);
  if (b.size() < first + count) b.resize(first + count, 0.0);
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / SOUND_RATE;
    double c = c0 + (c1 - c0) * t / length;
    double x = double(rng.next() & 0xFFFF) / 32768.0 - 1.0;
    y += c * (x - y);
    b[first + i] += gain * envelope(t, length, attack, decay) * y * 2.0;
  }
}

// A bell-like note: a few inharmonic partials with their own decays.
void bell(Buffer& b, double start, double f, double length, double gain) {
  tone(b, start, length, f, f, Wave::SINE, gain, 0.002, 6);
  tone(b, start, length, f * 2.76, f * 2.76, Wave::SINE, gain * 0.35, 0.002, 12);
  tone(b, start, length, f * 5.4, f * 5.4, Wave::SINE, gain * 0.15, 0.001, 20);
}

double note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

Buffer effect(int slot) {
  Buffer b = silence(0.05);
  switch (slot) {
    case 0:  // death, menu back: a sad falling figure
      tone(b, 0.0, 0.16, note(3), note(2), Wave::SOFT_SQUARE, 0.5, 0.005, 4);
      tone(b, 0.16, 0.16, note(-1), note(-2), Wave::SOFT_SQUARE, 0.5, 0.005, 4);
      tone(b, 0.32, 0.45, note(-6), note(-9), Wave::SOFT_SQUARE, 0.5, 0.005, 3, 0.02);
      break;
    case 1:  // floater burst: a pop
      noise(b, 0.0, 0.12, 0.9, 0.2, 0.8, 0.001, 30, 11);
      tone(b, 0.0, 0.10, 900, 180, Wave::SINE, 0.7, 0.001, 25);
      break;
    case 2:  // spare: soft low blip
      tone(b, 0.0, 0.12, 330, 300, Wave::TRIANGLE, 0.6, 0.003, 20);
      break;
    case 3:  // stomp: a springy thump
      tone(b, 0.0, 0.18, 420, 90, Wave::TRIANGLE, 0.8, 0.002, 14);
      noise(b, 0.0, 0.05, 0.5, 0.1, 0.4, 0.001, 60, 3);
      break;
    case 4:  // spare: short upward slide
      tone(b, 0.0, 0.15, 300, 700, Wave::TRIANGLE, 0.5, 0.005, 10);
      break;
    case 5:  // spare: two soft knocks
      tone(b, 0.0, 0.08, 200, 160, Wave::SINE, 0.7, 0.002, 30);
      tone(b, 0.1, 0.08, 240, 190, Wave::SINE, 0.7, 0.002, 30);
      break;
    case 6:  // spare: shimmer
      for (int i = 0; i < 4; ++i) bell(b, i * 0.05, note(15 + i * 4), 0.3, 0.3);
      break;
    case 7:  // exit, menu choose: a bright rising arpeggio
      for (int i = 0; i < 4; ++i) {
        static const int steps[4] = {3, 7, 10, 15};
        tone(b, i * 0.07, 0.22, note(steps[i]), note(steps[i]), Wave::SOFT_SQUARE, 0.35, 0.004, 7);
        tone(b, i * 0.07, 0.22, note(steps[i] + 12), note(steps[i] + 12), Wave::SINE, 0.2, 0.004, 9);
      }
      break;
    case 8:  // side trigger, menu move: a short chime
      bell(b, 0.0, note(19), 0.18, 0.6);
      break;
    case 9:  // bump: a hollow knock
      tone(b, 0.0, 0.14, 260, 200, Wave::SOFT_SQUARE, 0.6, 0.001, 22);
      tone(b, 0.0, 0.10, 130, 110, Wave::SINE, 0.6, 0.001, 18);
      break;
    case 10:  // checkpoint, lever: ding-dong
      bell(b, 0.0, note(10), 0.5, 0.5);
      bell(b, 0.12, note(15), 0.6, 0.5);
      break;
    case 11:  // break: a crunch of falling pieces
      noise(b, 0.0, 0.30, 0.6, 0.08, 0.9, 0.001, 12, 77);
      for (int i = 0; i < 4; ++i) noise(b, 0.04 + i * 0.05, 0.04, 0.7, 0.3, 0.5, 0.001, 60, 100 + i);
      break;
    case 12:  // splash: a rushing swell
      noise(b, 0.0, 0.45, 0.15, 0.5, 0.8, 0.04, 6, 12);
      tone(b, 0.0, 0.2, 500, 1400, Wave::SINE, 0.15, 0.01, 10);
      break;
    case 13:  // extra life: a happy run up
      for (int i = 0; i < 6; ++i) {
        static const int steps[6] = {3, 7, 10, 15, 19, 22};
        tone(b, i * 0.06, 0.2, note(steps[i]), note(steps[i]), Wave::TRIANGLE, 0.45, 0.003, 6);
      }
      bell(b, 0.36, note(27), 0.5, 0.35);
      break;
    case 14:  // crumble: a dry rumble
      noise(b, 0.0, 0.45, 0.12, 0.04, 0.9, 0.02, 5, 14);
      for (int i = 0; i < 5; ++i) noise(b, 0.03 + i * 0.07, 0.05, 0.35, 0.1, 0.4, 0.002, 40, 200 + i);
      break;
    case 15:  // pick-up: a quick two-tone bling
      tone(b, 0.0, 0.07, note(22), note(22), Wave::SINE, 0.5, 0.002, 8);
      tone(b, 0.06, 0.2, note(29), note(29), Wave::SINE, 0.5, 0.002, 12);
      tone(b, 0.06, 0.2, note(41), note(41), Wave::SINE, 0.12, 0.002, 16);
      break;
    default: break;
  }
  return b;
}

void putLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> waveFile(const std::vector<int16_t>& samples, int rate) {
  std::vector<uint8_t> out;
  uint32_t dataBytes = uint32_t(samples.size() * 2);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  putLe(out, 4 + 8 + 16 + 8 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  putLe(out, 16, 4);
  putLe(out, 1, 2);                   // PCM
  putLe(out, 1, 2);                   // mono
  putLe(out, uint32_t(rate), 4);
  putLe(out, uint32_t(rate) * 2, 4);  // bytes per second
  putLe(out, 2, 2);                   // block alignment
  putLe(out, 16, 2);                  // bits per sample
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  putLe(out, dataBytes, 4);
  for (int16_t s : samples) putLe(out, uint16_t(s), 2);
  return out;
}

std::vector<uint8_t> soundFile(int slot) {
  Buffer b = effect(slot);
  // Trim trailing silence, then normalise to the common peak.
  while (b.size() > 1 && std::fabs(b.back()) < 1e-4) b.pop_back();
  double peak = 0;
  for (double v : b) peak = std::max(peak, std::fabs(v));
  double scale = peak > 0 ? PEAK / peak : 0;
  std::vector<int16_t> samples(b.size());
  for (size_t i = 0; i < b.size(); ++i) samples[i] = int16_t(std::lround(b[i] * scale * 32767.0));
  return waveFile(samples, SOUND_RATE);
}
