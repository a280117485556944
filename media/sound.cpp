// The sound-effect pool: slot bookkeeping over the registered sound device.
#include "media/sound.h"

#include <new>
#include <vector>

#include "media/regular_file.h"
#include "media/wave_reader.h"

SoundDevice* gSoundDevice = nullptr;
SoundSlot* gSoundSlots = nullptr;
int32_t gSoundCapacity = 0;
int32_t gSoundLoaded = 0;
int32_t gCurrentSound = 0;

// Sound effects are short; a file larger than this is not one.
constexpr uint64_t SOUND_FILE_LIMIT = uint64_t(64) << 20;

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

int32_t loadSound(const char* fileName, int32_t* outIndex, std::string* why) {
  if (!gSoundDevice) return -1;
  int32_t index = lowestEmptySlot();
  if (index < 0 || !fileName) return -1;
  // A sound that cannot be held in memory is left out like any other bad
  // sound; it never ends the program.
  try {
    std::vector<uint8_t> bytes;
    if (!readRegularFile(fileName, SOUND_FILE_LIMIT, &bytes, why)) return -1;
    WaveFormat format;
    std::vector<uint8_t> samples;
    std::string problem;
    if (readWave(bytes.data(), bytes.size(), format, samples, &problem) != 0) {
      if (why) *why = std::string(fileName) + ": " + problem;
      return -1;
    }
    bytes = {};
    std::unique_ptr<SoundBuffer> buffer = gSoundDevice->createBuffer(format, samples.data(), uint32_t(samples.size()));
    if (!buffer) {
      if (why) *why = std::string(fileName) + ": the sound device cannot take it";
      return -1;
    }
    SoundSlot& slot = gSoundSlots[index];
    slot.buffer = std::move(buffer);
    slot.state = SOUND_LOADED;
    slot.sampleRate = format.samplesPerSec;
    slot.dataSize = uint32_t(samples.size());
  } catch (const std::bad_alloc&) {
    if (why) *why = std::string(fileName) + ": there is not enough memory for it";
    return -1;
  }
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
