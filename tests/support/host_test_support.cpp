#ifdef _WIN32
#include "host_test_support.h"

#include <cstdio>
#include <cstring>

#include "tests/fixtures/fixture_record.h"

namespace hosttest {

namespace {

const char DesktopKey[] = "Control Panel\\Desktop";
const char UsePasswordValue[] = "ScreenSaveUsePassword";

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

HKEY CreateKey(const char* name) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

// A missing key or value leaves the buffer as it is.
void ReadFixtureValue(const char* keyName, const char* name, void* buffer, DWORD size) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return;
  }
  RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
}

}  // namespace

int32_t PlatformIsWin95Family() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

std::string TestDirectory() {
  const std::string path = ProgramPath();
  return path.substr(0, path.find_last_of("\\/"));
}

std::string TestFilePath(const char* fileName) {
  return TestDirectory() + "\\" + fileName;
}

HANDLE LockScreen() {
  HANDLE lock = CreateMutexA(nullptr, FALSE, "PennydanceTestScreenLock");
  const DWORD waited = WaitForSingleObject(lock, 60000);
  EXPECT_TRUE(waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) << "screen lock not granted";
  WaitForDesktop();
  return lock;
}

void WaitForDesktop() {
  // Until Wine's desktop process is up the screen has no size, and the
  // pointer cannot be placed anywhere but (0, 0).
  GetDesktopWindow();
  const DWORD deadline = GetTickCount() + 10000;
  RECT clip = {0, 0, 0, 0};
  while (GetClipCursor(&clip) && clip.right <= clip.left &&
         static_cast<LONG>(GetTickCount() - deadline) < 0) {
    Sleep(10);
  }
}

void UnlockScreen(HANDLE lock) {
  ReleaseMutex(lock);
  CloseHandle(lock);
}

void SetUsePasswordNumber(DWORD value) {
  SetUsePasswordBytes(REG_DWORD, &value, sizeof value);
}

void SetUsePasswordBytes(DWORD type, const void* bytes, DWORD size) {
  HKEY key = CreateKey(DesktopKey);
  RegSetValueExA(key, UsePasswordValue, 0, type, static_cast<const BYTE*>(bytes), size);
  RegCloseKey(key);
}

void RemoveUsePassword() {
  HKEY key = CreateKey(DesktopKey);
  RegDeleteValueA(key, UsePasswordValue);
  RegCloseKey(key);
}

void ClearFixtureRecord(const char* key) {
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

DWORD ReadFixtureNumber(const char* key, const char* name) {
  DWORD value = 0;
  ReadFixtureValue(key, name, &value, sizeof value);
  return value;
}

std::string ReadFixtureText(const char* key, const char* name) {
  char text[4096] = {};
  ReadFixtureValue(key, name, text, sizeof text - 1);
  return text;
}

ULONGLONG ReadFixtureQuad(const char* key, const char* name) {
  ULONGLONG value = 0;
  ReadFixtureValue(key, name, &value, sizeof value);
  return value;
}

void SetPasswordAnswers(const char* answers) {
  HKEY key = CreateKey(PASSWORD_FIXTURE_KEY);
  RegSetValueExA(key, "Answers", 0, REG_SZ, reinterpret_cast<const BYTE*>(answers),
                 static_cast<DWORD>(strlen(answers) + 1));
  RegCloseKey(key);
}

std::string HandleText(HWND window) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx ",
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
  return text;
}

bool ExceptionsAreDispatchedReliably() {
#ifdef _WIN64
  return true;
#else
  HANDLE entry = CreateFileA("Z:\\proc\\sys\\fs\\binfmt_misc\\qemu-i386", GENERIC_READ,
                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (entry == INVALID_HANDLE_VALUE) return true;
  char state[8] = {};
  DWORD read = 0;
  ReadFile(entry, state, sizeof state - 1, &read, nullptr);
  CloseHandle(entry);
  return strncmp(state, "enabled", 7) != 0;
#endif
}

FileMovedAway::FileMovedAway(const char* fileName)
    : path_(TestFilePath(fileName)),
      moved_(MoveFileExA(path_.c_str(), (path_ + ".away").c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {}

FileMovedAway::~FileMovedAway() {
  if (moved_) MoveFileExA((path_ + ".away").c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace hosttest
#endif
