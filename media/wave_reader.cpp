// RIFF WAVE reading: walks the chunks of the "WAVE" form, takes the format
// record from "fmt " and the samples from the "data" chunk after it.
#include "media/wave_reader.h"

#include <cstring>

namespace {

uint32_t read32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr size_t CHUNK_HEADER = 8;
constexpr size_t FORMAT_RECORD = 18;

// Finds the chunk `id` from `pos` on, before `end`; its data offset and its
// size cut to what lies before `end`. Chunks are padded to an even size.
bool findChunk(const uint8_t* bytes, size_t& pos, size_t end, const char* id, size_t& dataAt, size_t& dataSize) {
  while (pos + CHUNK_HEADER <= end) {
    uint32_t size = read32(bytes + pos + 4);
    size_t start = pos + CHUNK_HEADER;
    size_t room = end - start;
    size_t next = size_t(size) + (size & 1) <= room ? start + size + (size & 1) : end;
    if (std::memcmp(bytes + pos, id, 4) == 0) {
      dataAt = start;
      dataSize = size <= room ? size : room;
      pos = next;
      return true;
    }
    pos = next;
  }
  return false;
}

int32_t refuse(std::string* why, std::string text) {
  if (why) *why = std::move(text);
  return -1;
}

}  // namespace

std::string waveFormatProblem(const WaveFormat& format) {
  if (format.formatTag != WAVE_FORMAT_PCM) return "is not PCM (format tag " + std::to_string(format.formatTag) + ")";
  if (format.channels < 1 || format.channels > WAVE_MAX_CHANNELS) {
    return "has " + std::to_string(format.channels) + " channels; a sound has 1 or 2";
  }
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
    return "has " + std::to_string(format.bitsPerSample) + "-bit samples; a sound has 8-bit or 16-bit samples";
  }
  if (format.samplesPerSec < WAVE_MIN_RATE || format.samplesPerSec > WAVE_MAX_RATE) {
    return "has a sample rate of " + std::to_string(format.samplesPerSec) + " Hz; a sound has " +
           std::to_string(WAVE_MIN_RATE) + " to " + std::to_string(WAVE_MAX_RATE) + " Hz";
  }
  const int32_t frameBytes = format.channels * (format.bitsPerSample / 8);
  if (format.blockAlign != frameBytes) {
    return "has a block alignment of " + std::to_string(format.blockAlign) + " bytes; its channels and samples make " +
           std::to_string(frameBytes);
  }
  return "";
}

int32_t readWave(const uint8_t* bytes, size_t size, WaveFormat& format, std::vector<uint8_t>& samples,
                 std::string* why) {
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    return refuse(why, "is not a RIFF WAVE file");
  }
  // The form ends where its size says, or at the end of the file if sooner.
  uint64_t declared = uint64_t(read32(bytes + 4)) + 8;
  size_t end = declared < size ? size_t(declared) : size;

  size_t pos = 12;
  size_t fmtAt = 0, fmtSize = 0;
  if (!findChunk(bytes, pos, end, "fmt ", fmtAt, fmtSize)) return refuse(why, "has no \"fmt \" chunk");
  // The record is 18 bytes whatever the chunk's size: with the common 16-byte
  // chunk the last two come from what follows, and land in the unused extra
  // size. They must still lie inside the file.
  if (fmtAt + FORMAT_RECORD > size) return refuse(why, "ends inside its format record");
  const uint8_t* f = bytes + fmtAt;
  WaveFormat read;
  read.formatTag = read16(f);
  read.channels = read16(f + 2);
  read.samplesPerSec = read32(f + 4);
  read.avgBytesPerSec = read32(f + 8);
  read.blockAlign = read16(f + 12);
  read.bitsPerSample = read16(f + 14);
  read.extraSize = read16(f + 16);
  if (std::string problem = waveFormatProblem(read); !problem.empty()) return refuse(why, problem);

  size_t dataAt = 0, dataSize = 0;
  if (!findChunk(bytes, pos, end, "data", dataAt, dataSize)) return refuse(why, "has no \"data\" chunk after its format");
  // A data chunk cut short by the end of the file keeps its whole sample frames.
  dataSize -= dataSize % read.blockAlign;
  if (dataSize == 0) return refuse(why, "holds no sound");
  const uint64_t longest = uint64_t(WAVE_MAX_SECONDS) * read.samplesPerSec * read.blockAlign;
  if (dataSize > longest) {
    return refuse(why, "holds more than " + std::to_string(WAVE_MAX_SECONDS) + " seconds of sound");
  }
  format = read;
  samples.assign(bytes + dataAt, bytes + dataAt + dataSize);
  return 0;
}
