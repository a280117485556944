// The sound-effect pool: a fixed number of slots, each holding one PCM sound
// that plays, loops, stops and restarts from its start. A sound is named by
// its slot. Without a sound device every operation does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The wave format record as the file holds it (the first 18 bytes of "fmt ").
struct WaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t extraSize = 0;
};

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// One playable voice: the platform's stand-in for a static sound buffer.
class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  virtual bool play(bool looping) = 0;
  virtual void stop() = 0;  // the position stays where it stopped
  virtual void setCurrentPosition(uint32_t position) = 0;
  virtual bool isPlaying() const = 0;
};

// The sound device: makes voices from PCM data, and second voices sharing
// the data of a first. Counts the references the pool holds on it.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  virtual std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, const uint8_t* data, uint32_t size) = 0;
  virtual std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer& original) = 0;
  void addRef() { references++; }
  void release() { references--; }
  int32_t referenceCount() const { return references; }

 private:
  int32_t references = 1;
};

constexpr int32_t SOUND_EMPTY = 0;
constexpr int32_t SOUND_LOADED = 1;
constexpr int32_t SOUND_PLAYED = 2;
constexpr int32_t SOUND_LOOPING = 3;

struct SoundSlot {
  std::unique_ptr<SoundBuffer> buffer;
  int32_t state = SOUND_EMPTY;
  uint32_t sampleRate = 0;
  uint32_t dataSize = 0;
};

extern SoundDevice* gSoundDevice;
extern SoundSlot* gSoundSlots;
extern int32_t gSoundCapacity;
extern int32_t gSoundLoaded;
extern int32_t gCurrentSound;

void initSoundPool(SoundDevice* device, int32_t capacity);
void shutdownSoundPool();
// Loads a RIFF WAVE PCM file into the lowest empty slot: 0, or -1 on failure,
// when the slot stays empty (a file of a format wave_reader.h does not accept,
// or too large to hold, included). *why, when given, says why a file was refused
// ("FILE: reason"); it stays empty when there is no device or no empty slot.
int32_t loadSound(const char* fileName, int32_t* outIndex = nullptr, std::string* why = nullptr);
int32_t duplicateSound(int32_t index);
// index -1 stands for the current slot in the operations below.
void playSound(int32_t index);
void loopSound(int32_t index);
void stopSound(int32_t index);
void releaseSound(int32_t index);
int32_t soundState(int32_t index);
int32_t currentSound();
int32_t selectSound(int32_t index);
