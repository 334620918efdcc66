// The services of the stand-in client's callback (see PluginHost.h).
#include <cstdio>
#include <cstring>

#include "PluginHost.h"

namespace loungesim {
namespace {

constexpr std::int32_t kMyId = 1001;
constexpr std::int32_t kBlowCode = 0x626c6f77;  // "blow"
constexpr std::size_t kBlowThruHeader = 8;      // zero word and target count

std::uint32_t Word(const std::uint8_t* bytes) {
  std::uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::int32_t __cdecl TPluginHost::Service(std::int32_t service, std::int32_t argument, void* pointer) {
  return active_ ? active_->Serve(service, argument, pointer) : 0;
}

std::int32_t TPluginHost::Serve(std::int32_t service, std::int32_t argument, void* pointer) {
  const char* text = static_cast<const char*>(pointer);
  char line[160];
  switch (service) {
    case 25:
      Line(std::string("say ") + (text ? text : ""), true);
      return 0;
    case 27: {
      const std::int32_t result = text ? std::int32_t(std::strlen(text)) : 0;
      std::snprintf(line, sizeof line, "script %s -> %d", text ? text : "", int(result));
      Line(line);
      return result;
    }
    case 28: {
      IdleInsideService();
      std::string logged = text ? text : "";
      if (!logged.empty() && logged.back() == '\r') logged.pop_back();
      Line("log " + logged, true);
      return 0;
    }
    case 32:
      Line("myid");
      return kMyId;
    case 45:
      BlowThru(static_cast<const std::uint8_t*>(pointer), argument);
      return 0;
    case 47:
      Download(argument, static_cast<const std::uint8_t*>(pointer));
      return 0;
    case 48:
      std::snprintf(line, sizeof line, "username %d", int(argument));
      Line(line);
      if (argument <= 0) return 0;
      userName_ = argument == kMyId ? "Tester" : "Guest" + std::to_string(argument);
      userName_.insert(userName_.begin(), char(userName_.size()));
      return std::int32_t(reinterpret_cast<std::uintptr_t>(userName_.data()));
    case 49:
      IdleInsideService();
      return argument == 2 && text ? LocalPath(text) : 0;
    case 50:
      IdleInsideService();
      if (pointer) std::memcpy(pointer, &room_, sizeof room_);
      std::snprintf(line, sizeof line, "room %ld,%ld,%ld,%ld", room_.left, room_.top, room_.right, room_.bottom);
      Line(line);
      return 0;
    default:
      std::snprintf(line, sizeof line, "service %d unknown", int(service));
      Line(line);
      return 0;
  }
}

// Logs the packet and sends its tag and data back to ourselves as a "blow"
// server message from our own user.
void TPluginHost::BlowThru(const std::uint8_t* packet, std::int32_t length) {
  if (!packet || length < std::int32_t(kBlowThruHeader + 4)) {
    Line("blowthru short packet");
    return;
  }
  const std::int32_t count = std::int32_t(Word(packet + 4));
  const std::size_t ids = count > 0 ? std::size_t(count) * 4 : 0;
  if (ids > std::size_t(length) - kBlowThruHeader - 4) {
    Line("blowthru short packet");
    return;
  }
  std::string line = "blowthru bytes=" + std::to_string(length) + " count=" + std::to_string(count) + " ids=";
  for (std::size_t i = 0; i < ids; i += 4) line += (i ? "," : "") + std::to_string(Word(packet + 8 + i));
  const std::uint8_t* tagged = packet + kBlowThruHeader + ids;
  const std::size_t taggedLength = std::size_t(length) - kBlowThruHeader - ids;
  char tag[16];
  std::snprintf(tag, sizeof tag, " tag=0x%08X", unsigned(Word(tagged)));
  line += tag;
  line += " data=" + std::string(reinterpret_cast<const char*>(tagged + 4),
                                 strnlen(reinterpret_cast<const char*>(tagged + 4), taggedLength - 4));
  Line(line);
  TQueuedEvent event{8, 0, 0, kBlowCode, kMyId};
  event.Body.assign(tagged, tagged + taggedLength);
  Queue(std::move(event));
}

void TPluginHost::Download(std::int32_t kind, const std::uint8_t* name) {
  if (!name) return;
  const std::string file(reinterpret_cast<const char*>(name + 1), name[0]);
  Line("download kind=" + std::to_string(kind) + " name=" + file);
  const std::string local = options_.MediaFolder + "\\" + file;
  if (!CopyFileA((options_.ServerFolder + "\\" + file).c_str(), local.c_str(), FALSE)) {
    Line("download failed " + file);
    return;
  }
  Line("downloaded " + local);
  TQueuedEvent event{9, 0, kind};
  event.Text = local;
  Queue(std::move(event));
}

std::int32_t TPluginHost::LocalPath(const char* name) {
  const std::string path = options_.MediaFolder + "\\" + name;
  const bool present = *name != '\0' && FileExists(path);
  Line(std::string("localpath ") + name + " -> " + (present ? path : "none"));
  return present ? std::int32_t(reinterpret_cast<std::uintptr_t>(reelbridge::win32::AllocateHostText(path))) : 0;
}

}  // namespace loungesim
