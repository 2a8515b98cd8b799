// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's default alarm sound: a short, bell-like three-note chime, 16-bit mono PCM.
// Usage: wakery_chime OUTPUT.wav
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
// The alarm window restarts a sound once its position rounds to the same whole second as its length,
// so a 1.8 s chime is restarted at 1.5 s: every note and most of its ring lie before that point.
constexpr double lengthSeconds = 1.8;

struct Partial
{
    double ratio; // of the note's fundamental
    double level; // relative amplitude
    double decay; // e-folding time in seconds
};

// Bell-like partials: slightly inharmonic overtones that die away faster than the fundamental.
constexpr std::array<Partial, 5> bell{{
    {1.0, 1.0, 0.55},
    {2.0, 0.45, 0.30},
    {2.76, 0.25, 0.18},
    {4.07, 0.12, 0.10},
    {5.40, 0.06, 0.07},
}};

struct Note
{
    double start;     // seconds
    double frequency; // Hz
    double level;
};

// A rising major arpeggio (E5, G#5, B5) followed by its octave: bright enough to wake, soft at the edges.
constexpr std::array<Note, 4> notes{{
    {0.00, 659.26, 0.8},
    {0.22, 830.61, 0.7},
    {0.44, 987.77, 0.7},
    {0.66, 1318.51, 0.55},
}};

double noteSample(const Note& note, double t)
{
    if (t < note.start)
        return 0.0;
    const double local = t - note.start;
    // A 4 ms attack keeps the strike from clicking.
    const double attack = std::min(1.0, local / 0.004);
    double sum = 0.0;
    for (const Partial& partial : bell)
        sum += partial.level * std::exp(-local / partial.decay) *
               std::sin(2.0 * std::numbers::pi * note.frequency * partial.ratio * local);
    return note.level * attack * sum;
}

void putLe(std::vector<char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argc > 0 ? argv[0] : "wakery_chime");
        return 2;
    }
    const auto count = static_cast<std::size_t>(lengthSeconds * sampleRate);
    std::vector<double> mix(count);
    double peak = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double value = 0.0;
        for (const Note& note : notes)
            value += noteSample(note, t);
        // Fade the last 60 ms to zero so that a restart never meets a step in the wave.
        const double remaining = lengthSeconds - t;
        value *= std::min(1.0, remaining / 0.06);
        mix[i] = value;
        peak = std::max(peak, std::abs(value));
    }
    const double scale = peak > 0.0 ? 0.7 * 32767.0 / peak : 0.0;

    const auto dataBytes = static_cast<std::uint32_t>(count * 2);
    std::vector<char> file;
    file.reserve(44 + dataBytes);
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    putLe(file, 36 + dataBytes, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(file, 16, 4); // size of the format chunk
    putLe(file, 1, 2);  // PCM
    putLe(file, 1, 2);  // mono
    putLe(file, sampleRate, 4);
    putLe(file, sampleRate * 2, 4); // bytes per second
    putLe(file, 2, 2);              // bytes per frame
    putLe(file, 16, 2);             // bits per sample
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    putLe(file, dataBytes, 4);
    for (double value : mix) {
        const auto sample =
            static_cast<std::int16_t>(std::lround(std::clamp(value * scale, -32767.0, 32767.0)));
        putLe(file, static_cast<std::uint16_t>(sample), 2);
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "wakery_chime: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
