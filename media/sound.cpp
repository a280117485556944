// The sound-effect pool: slot bookkeeping over the registered sound device.
#include "media/sound.h"

#include <cstdio>
#include <vector>

#include "media/wave_reader.h"

SoundDevice* gSoundDevice = nullptr;
SoundSlot* gSoundSlots = nullptr;
int32_t gSoundCapacity = 0;
int32_t gSoundLoaded = 0;
int32_t gCurrentSound = 0;

// Sound effects are short; a file larger than this is not one.
constexpr long SOUND_FILE_LIMIT = 64L << 20;

static SoundSlot* slotFor(int32_t index) {
  if (!gSoundDevice || !gSoundSlots) return nullptr;
  if (index == -1) index = gCurrentSound;
  if (index < 0 || index >= gSoundCapacity) return nullptr;
  SoundSlot* slot = &gSoundSlots[index];
  return slot->state == SOUND_EMPTY || !slot->buffer ? nullptr : slot;
}

static int32_t lowestEmptySlot() {
  for (int32_t i = 0; i < gSoundCapacity; i++) {
    if (gSoundSlots[i].state == SOUND_EMPTY) return i;
  }
  return -1;
}

void initSoundPool(SoundDevice* device, int32_t capacity) {
  if (!device || capacity < 0) return;
  if (gSoundDevice) shutdownSoundPool();
  device->addRef();
  gSoundDevice = device;
  gSoundSlots = new SoundSlot[size_t(capacity)];
  gSoundCapacity = capacity;
  gSoundLoaded = 0;
  gCurrentSound = 0;
}

void shutdownSoundPool() {
  if (!gSoundDevice) return;
  for (int32_t i = 0; i < gSoundCapacity; i++) releaseSound(i);
  delete[] gSoundSlots;
  gSoundSlots = nullptr;
  gSoundCapacity = 0;
  gSoundLoaded = 0;
  gCurrentSound = 0;
  gSoundDevice->release();
  gSoundDevice = nullptr;
}

static bool readWholeFile(const char* fileName, std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(fileName, "rb");
  if (!file) return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  long size = ok ? std::ftell(file) : -1;
  ok = ok && size >= 0 && size <= SOUND_FILE_LIMIT && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(size_t(size));
    ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return ok;
}

int32_t loadSound(const char* fileName, int32_t* outIndex) {
  if (!gSoundDevice) return -1;
  int32_t index = lowestEmptySlot();
  if (index < 0) return -1;
  std::vector<uint8_t> bytes;
  if (!fileName || !readWholeFile(fileName, bytes)) return -1;
  WaveFormat format;
  std::vector<uint8_t> samples;
  if (readWave(bytes.data(), bytes.size(), format, samples) != 0) return -1;
  std::unique_ptr<SoundBuffer> buffer = gSoundDevice->createBuffer(format, samples.data(), uint32_t(samples.size()));
  if (!buffer) return -1;
  SoundSlot& slot = gSoundSlots[index];
  slot.buffer = std::move(buffer);
  slot.state = SOUND_LOADED;
  slot.sampleRate = format.samplesPerSec;
  slot.dataSize = uint32_t(samples.size());
  gCurrentSound = index;
  if (outIndex) *outIndex = index;
  gSoundLoaded++;
  return 0;
}

int32_t duplicateSound(int32_t index) {
  SoundSlot* original = slotFor(index);
  if (!original) return -1;
  int32_t target = lowestEmptySlot();
  if (target < 0) return -1;
  std::unique_ptr<SoundBuffer> copy = gSoundDevice->duplicateBuffer(*original->buffer);
  if (!copy) return -1;
  SoundSlot& slot = gSoundSlots[target];
  slot.buffer = std::move(copy);
  slot.state = SOUND_LOADED;
  slot.sampleRate = original->sampleRate;
  slot.dataSize = original->dataSize;
  gSoundLoaded++;
  return target;
}

void playSound(int32_t index) {
  SoundSlot* slot = slotFor(index);
  if (!slot) return;
  if (slot->state == SOUND_PLAYED || slot->state == SOUND_LOOPING) slot->buffer->setCurrentPosition(0);
  slot->buffer->play(false);
  slot->state = SOUND_PLAYED;
}

void loopSound(int32_t index) {
  SoundSlot* slot = slotFor(index);
  if (!slot) return;
  slot->buffer->play(true);
  slot->state = SOUND_LOOPING;
}

void stopSound(int32_t index) {
  SoundSlot* slot = slotFor(index);
  if (!slot) return;
  slot->buffer->stop();
  slot->state = SOUND_LOADED;
}

void releaseSound(int32_t index) {
  SoundSlot* slot = slotFor(index);
  if (!slot) return;
  slot->buffer->stop();
  slot->buffer.reset();
  slot->state = SOUND_EMPTY;
  gSoundLoaded--;
}

int32_t soundState(int32_t index) {
  if (!gSoundDevice) return 0;
  SoundSlot* slot = slotFor(index);
  if (!slot) return 0;
  if (!slot->buffer->isPlaying()) slot->state = SOUND_LOADED;
  return slot->state;
}

int32_t currentSound() { return gCurrentSound; }

int32_t selectSound(int32_t index) {
  if (index >= 0 && index < gSoundCapacity) gCurrentSound = index;
  return index;
}
