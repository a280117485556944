// Checking, keeping and listing the worlds added in the browser.
#include "web/world_intake.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "media/replace_file.h"
#include "world/world_file.h"

namespace fs = std::filesystem;

namespace {

bool isKeptCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' ||
         c == '-' || c == '_' || c == '(' || c == ')';
}

bool linkInto(const std::string& storeFolder, const std::string& listFolder, const std::string& name) {
  std::error_code failure;
  fs::create_directories(listFolder, failure);
  const fs::path link = fs::path(listFolder) / name;
  fs::remove(link, failure);
  fs::create_symlink(fs::path(storeFolder) / name, link, failure);
  return !failure;
}

}  // namespace

std::string keptWorldName(std::string_view fileName, std::string& why) {
  std::string name(fileName);
  const size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (!hasWorldExtension(name)) {
    why = "only world files (.glw) can be added";
    return "";
  }
  if (name.size() > WORLD_NAME_MAX) {
    why = "its name is longer than " + std::to_string(WORLD_NAME_MAX) + " characters";
    return "";
  }
  for (char& c : name) {
    if (!isKeptCharacter(c)) c = '_';
  }
  // A name of dots alone, or one hidden by a leading dot, is kept visibly.
  if (name[0] == '.') name[0] = '_';
  return name;
}

bool addWorld(const std::string& incoming, std::string_view fileName, const std::string& storeFolder,
              const std::string& listFolder, std::string& message) {
  const std::string shown(fileName);
  std::string why;
  std::vector<uint8_t> bytes;
  std::string name = keptWorldName(fileName, why);
  bool ok = !name.empty();
  if (ok && !readFileBytes(incoming, &bytes, &why)) {
    // The reason without the name of the file it was copied into.
    if (why.rfind(incoming + ": ", 0) == 0) why.erase(0, incoming.size() + 2);
    ok = false;
  }
  if (ok && !checkWorld(bytes.data(), bytes.size(), &why)) ok = false;
  std::remove(incoming.c_str());
  if (!ok) {
    message = "\"" + shown + "\" was not added: " + why + ".";
    return false;
  }
  std::error_code failure;
  fs::create_directories(storeFolder, failure);
  if (!replaceFile((fs::path(storeFolder) / name).string(), std::string(bytes.begin(), bytes.end()), nullptr) || !linkInto(storeFolder, listFolder, name)) {
    message = "\"" + shown + "\" was not added: the browser's storage could not keep it.";
    return false;
  }
  WorldHeader header{};
  decodeWorldHeader(bytes.data(), bytes.size(), &header, &why);
  const std::string worldName = displayWorldName(worldText(header.worldName, WORLD_NAME_SIZE));
  message = "Added \"" + worldName + "\" (" + name + ", " + std::to_string(header.levelCount) +
            (header.levelCount == 1 ? " level" : " levels") + ") to the worlds.";
  return true;
}

int linkKeptWorlds(const std::string& storeFolder, const std::string& listFolder) {
  int linked = 0;
  std::error_code failure;
  for (fs::directory_iterator it(storeFolder, failure), end; !failure && it != end; it.increment(failure)) {
    const std::string name = it->path().filename().string();
    std::error_code typeFailure;
    if (!it->is_regular_file(typeFailure) || !hasWorldExtension(name)) continue;
    if (linkInto(storeFolder, listFolder, name)) linked++;
  }
  return linked;
}

bool removeWorld(std::string_view name, const std::string& storeFolder, const std::string& listFolder,
                 std::string& message) {
  std::string why;
  const std::string kept = keptWorldName(name, why);
  std::error_code failure;
  if (kept.empty() || kept != name || !fs::remove(fs::path(storeFolder) / kept, failure)) {
    message = "There is no added world \"" + std::string(name) + "\".";
    return false;
  }
  fs::remove(fs::path(listFolder) / kept, failure);
  message = "Removed \"" + kept + "\" from the worlds.";
  return true;
}
