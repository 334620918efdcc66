#include "fakes.h"

#include <cstring>

namespace reelbridge::fake {

std::vector<std::string>& Journal() {
  static std::vector<std::string> journal;
  return journal;
}

TFakeLibrary& Library() {
  static TFakeLibrary library;
  return library;
}

// ---- host

std::int32_t TFakeHost::RecordWord(TRecordWord word) const {
  const auto found = Words.find(word);
  return found == Words.end() ? 0 : found->second;
}

void TFakeHost::SetRecordWord(TRecordWord word, std::int32_t value) { Words[word] = value; }

bool TFakeHost::WindowMessage(TWindowMessageInfo& info) const {
  if (!Message) return false;
  info = *Message;
  return true;
}

std::int32_t TFakeHost::RunScript(const std::string& script) {
  Scripts.push_back(script);
  return ScriptResult;
}

void TFakeHost::Log(const std::string& line) {
  Logged.push_back(line);
  Journal().push_back("log " + line);
}

void TFakeHost::SendBlowThru(const std::uint8_t* packet, std::uint32_t length) {
  Packets.emplace_back(packet, packet + length);
}

void TFakeHost::RequestFile(TMediaKind kind, const std::uint8_t* lengthPrefixedName) {
  FileRequests.emplace_back(kind,
                            std::string(reinterpret_cast<const char*>(lengthPrefixedName) + 1, lengthPrefixedName[0]));
}

std::optional<std::string> TFakeHost::UserName(std::int32_t userId) {
  const auto found = Names.find(userId);
  if (found == Names.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> TFakeHost::LocalPath(const std::string& fileName) {
  PathsAsked.push_back(fileName);
  const auto found = Paths.find(fileName);
  if (found == Paths.end()) return DefaultPath;
  return found->second;
}

void TFakeHost::GetRoomArea(TRect& rect) {
  if (Room) rect = *Room;
}

// ---- windows

TWindowHandle TFakeWindows::AddWindow(const std::string& className, const std::string& title, TRect client) {
  const TWindowHandle handle = next_;
  next_ += 4;
  windows_[handle] = TWindow{className, title, client, 0, true};
  return handle;
}

void TFakeWindows::DeliverPosted() {
  while (!posted_.empty()) {
    const TPosted posted = posted_.front();
    posted_.pop_front();
    SendWindowMessage(posted.Window, posted.Message, posted.WParam, posted.LParam);
  }
}

std::size_t TFakeWindows::LiveEndpointWindows() const {
  std::size_t count = 0;
  for (const auto& entry : windows_) {
    count += entry.second.Live && entry.second.ClassName == kEndpointClassName;
  }
  return count;
}

TWindowHandle TFakeWindows::FindTopLevelWindow(const char* className, const char* title) {
  for (const auto& entry : windows_) {
    const TWindow& window = entry.second;
    if (window.Live && window.ClassName == className && (title == nullptr || window.Title == title)) {
      return entry.first;
    }
  }
  return 0;
}

bool TFakeWindows::IsLiveWindow(TWindowHandle window) {
  const auto found = windows_.find(window);
  return found != windows_.end() && found->second.Live;
}

std::intptr_t TFakeWindows::SendWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
  if (!IsLiveWindow(window)) return 0;
  const auto procedure = procedures_.find(windows_[window].Instance);
  if (procedure == procedures_.end()) return 0;
  std::intptr_t result = 0;
  const TProcedure call = procedure->second;
  return call(window, message, wParam, lParam, result) ? result : 0;
}

bool TFakeWindows::PostWindowMessage(TWindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) {
  if (!IsLiveWindow(window)) return false;
  posted_.push_back(TPosted{window, message, wParam, lParam});
  return true;
}

bool TFakeWindows::GetClientRectangle(TWindowHandle window, TRect& rect) {
  if (!IsLiveWindow(window)) return false;
  rect = windows_[window].Client;
  return true;
}

bool TFakeWindows::RegisterEndpointClass(TInstance instance) {
  if (FailRegister) return false;
  registered_.insert(instance);
  return true;
}

TWindowHandle TFakeWindows::CreateEndpointWindow(TInstance instance, const char* title) {
  if (FailCreate || registered_.count(instance) == 0) return 0;
  const TWindowHandle handle = AddWindow(kEndpointClassName, title, TRect{});
  windows_[handle].Instance = instance;
  return handle;
}

// ---- memory

std::size_t TFakeMemory::ReadWindowProcess(TWindowHandle window, std::uintptr_t address, void* destination,
                                           std::size_t size) {
  ReadSizes.push_back(size);
  if (FailTransfers || address == 0) return 0;
  std::memcpy(destination, reinterpret_cast<const void*>(address), size);
  return size;
}

std::size_t TFakeMemory::WriteWindowProcess(TWindowHandle window, std::uintptr_t address, const void* source,
                                            std::size_t size) {
  if (FailTransfers || address == 0) return 0;
  std::memcpy(reinterpret_cast<void*>(address), source, size);
  return size;
}

// ---- library (entry points in the calling convention the core calls them with)

namespace {

std::string RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

void Call(const std::string& what) { Journal().push_back(what); }

// Entry points named in FaultIn fault before they do anything.
void Enter(const char* entry) {
  if (Library().FaultIn.count(entry)) {
    Call(std::string(entry) + " fault");
    throw TFakeFault{};
  }
}

TPlayerHandle REELBRIDGE_STDCALL FakeOpen(TWindowHandle, std::int32_t, std::uint16_t* word) {
  Enter("MMPOpen");
  *word = 0xBEEF;
  const TPlayerHandle handle = Library().NextHandle++;
  Call("MMPOpen " + std::to_string(handle));
  return handle;
}
std::int32_t REELBRIDGE_STDCALL FakeStart(TPlayerHandle player, std::uint32_t flags) {
  Enter("MMPStartAnimating");
  Call("MMPStartAnimating " + std::to_string(player));
  return 1;
}
std::int32_t REELBRIDGE_STDCALL FakeClose(TPlayerHandle player, std::int32_t) {
  Enter("MMPClose");
  Call("MMPClose " + std::to_string(player));
  return 1;
}
std::int32_t REELBRIDGE_STDCALL FakeStopped(TPlayerHandle) { return Library().Stopped; }
std::int32_t REELBRIDGE_STDCALL FakeAnimate(TPlayerHandle player) {
  if (Library().Faulting.count(player)) throw TFakeFault{};
  Library().Animated.push_back(player);
  return 1;
}

std::int32_t REELBRIDGE_STDCALL FakeFileLoaded(TPlayerHandle) {
  Enter("_MMPFileLoaded@4");
  return Library().FileLoaded;
}
std::int32_t REELBRIDGE_STDCALL FakeLoadFile(TPlayerHandle player, const char* path, std::int32_t) {
  Enter("MMPLoadFile");
  Library().LoadedPaths.push_back(path);
  Call("MMPLoadFile " + std::to_string(player) + " " + path);
  return Library().LoadFileResult;
}
std::int32_t REELBRIDGE_STDCALL FakeSetStage(TPlayerHandle player, TWindowHandle, TRect* stage, std::int32_t) {
  Enter("MMPSetStage");
  Library().Stages.push_back(*stage);
  Call("MMPSetStage " + std::to_string(player) + " " + RectText(*stage));
  return 1;
}
std::int32_t REELBRIDGE_STDCALL FakeConfig(TPlayerHandle, TPlayerConfig* config) {
  Enter("MMPGetConfigInfo");
  config->Words[0] = Library().StageRect.Left;
  config->Words[1] = Library().StageRect.Top;
  config->Words[2] = Library().StageRect.Right;
  config->Words[3] = Library().StageRect.Bottom;
  return 1;
}
void NeverCalled() { Call("uncalled entry point called"); }

}  // namespace

TModuleHandle TFakeModules::LoadModule(const char* name) {
  if (Library().FailLoad || std::string(name) != kPlayerLibraryName) return 2;
  ++Library().Loads;
  return 0x10000000;
}

TProcAddress TFakeModules::ResolveSymbol(TModuleHandle, const char* name) {
  const std::string entry = name;
  if (entry == Library().Missing) return nullptr;
  const std::map<std::string, TProcAddress> entries = {
      {"MMPOpen", reinterpret_cast<TProcAddress>(&FakeOpen)},
      {"MMPStartAnimating", reinterpret_cast<TProcAddress>(&FakeStart)},
      {"MMPClose", reinterpret_cast<TProcAddress>(&FakeClose)},
      {"MMPAnimStopped", reinterpret_cast<TProcAddress>(&FakeStopped)},
      {"MMPAnimate", reinterpret_cast<TProcAddress>(&FakeAnimate)},
      {"_MMPFileLoaded@4", reinterpret_cast<TProcAddress>(&FakeFileLoaded)},
      {"MMPLoadFile", reinterpret_cast<TProcAddress>(&FakeLoadFile)},
      {"MMPSetStage", reinterpret_cast<TProcAddress>(&FakeSetStage)},
      {"MMPGetConfigInfo", reinterpret_cast<TProcAddress>(&FakeConfig)},
  };
  const auto found = entries.find(entry);
  if (found != entries.end()) return found->second;
  for (const char* known : kPlayerEntryNames) {
    if (entry == known) return &NeverCalled;
  }
  return nullptr;
}

void TFakeModules::FreeModule(TModuleHandle) {
  ++Library().Frees;
  Call("FreeLibrary");
}

bool TFakeGuard::CallFaulted(TGuardedCall call, void* context) {
  try {
    call(context);
    return false;
  } catch (const TFakeFault&) {
    ++Faults;
    return true;
  }
}

// ---- world

TFakeWorld::TFakeWorld() : plugin(TPlatform{windows, memory, modules, guard}), movie(windows, memory) {
  Journal().clear();
  Library() = TFakeLibrary{};
  lounge = windows.AddWindow(kHostWindowClassName, "Lounge", TRect{0, 0, 640, 480});
  windows.SetProcedure(modules.ProcessInstance(),
                       [this](TWindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp, std::intptr_t& r) {
                         return plugin.HandleWindowMessage(w, m, wp, lp, r);
                       });
  windows.SetProcedure(kMovieInstance, [this](TWindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp,
                                              std::intptr_t& r) { return movie.HandleMessage(w, m, wp, lp, r); });
  movie.SetReceiver(this);
  plugin.SetCurrentHost(&host);
}

TFakeWorld::~TFakeWorld() = default;

std::int32_t TFakeWorld::Load() {
  const std::int32_t result = Event(heLoad);
  windows.DeliverPosted();
  return result;
}

void TFakeWorld::StartMovieSide() { movie.CreateEndpoint(kMovieInstance, TEndpointRole::MovieSide); }

std::intptr_t TFakeWorld::SendRequest(const std::uint8_t* block, std::size_t size) {
  const TWindowHandle peer = movie.UsablePeer();
  if (peer == 0) return 0;
  return windows.SendWindowMessage(peer, kIpcMessage, size, std::intptr_t(reinterpret_cast<std::uintptr_t>(block)));
}

void TFakeWorld::OnIpcMessage(TIpcEndpoint& endpoint, std::size_t bytesRead) {
  received.emplace_back(endpoint.ReceiveBuffer(), endpoint.ReceiveBuffer() + bytesRead);
}

// ---- block reading for checks

std::int32_t Le32(const std::uint8_t* p) {
  return std::int32_t(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                      (std::uint32_t(p[3]) << 24));
}

std::string BlockName(const TBytes& block) {
  return std::string(reinterpret_cast<const char*>(block.data()),
                     strnlen(reinterpret_cast<const char*>(block.data()), kIpcNameSize));
}

namespace {

TBytes ItemBytes(const TBytes& block, int index) {
  const std::uint8_t* descriptor = block.data() + 32 + 9 * (index - 1);
  const std::size_t start = kIpcHeaderSize + std::size_t(Le32(descriptor + 1));
  const std::size_t length = std::size_t(Le32(descriptor + 5));
  if (start + length > block.size()) return {};
  return TBytes(block.begin() + std::ptrdiff_t(start), block.begin() + std::ptrdiff_t(start + length));
}

}  // namespace

std::string ItemText(const TBytes& block, int index) {
  const TBytes bytes = ItemBytes(block, index);
  return std::string(bytes.begin(), bytes.end());
}

std::int32_t ItemValue(const TBytes& block, int index) {
  const TBytes bytes = ItemBytes(block, index);
  return bytes.size() >= 4 ? Le32(bytes.data()) : -999;
}

}  // namespace reelbridge::fake
