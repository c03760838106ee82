#include "ui/win32/startup_marks.h"

#include <windows.h>

#include <array>
#include <cstdio>

namespace tavrelo::ui::win32 {
namespace {

struct Marked {
  const char* step;
  FILETIME at;
};

std::array<Marked, 32> marks;
std::size_t count = 0;

// 100 ns units since 1601 to microseconds since 1970.
long long UnixMicroseconds(const FILETIME& at) {
  const auto ticks = (static_cast<unsigned long long>(at.dwHighDateTime) << 32) | at.dwLowDateTime;
  return static_cast<long long>(ticks / 10) - 11644473600LL * 1000000;
}

// The program's own start, before main: Windows (Wine) has loaded and
// started the DLLs the executable imports, and the C++ runtime runs the
// constructors of static objects.
const struct MarkLoaded {
  MarkLoaded() noexcept { Mark("dlls-loaded"); }
} markLoaded;

}  // namespace

void Mark(const char* step) noexcept {
  if (count == marks.size()) return;
  marks[count].step = step;
  GetSystemTimeAsFileTime(&marks[count].at);
  ++count;
}

void WriteMarks() noexcept {
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"TAVRELO_STARTUP_MARKS", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const auto write = [file](const char* step, long long at) {
    char line[96];
    const int size = std::snprintf(line, sizeof(line), "%s %lld\n", step, at);
    DWORD written = 0;
    if (size > 0) WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
  };
  // When the benchmark's launcher started the program (its own clock's
  // reading, bench/startup_launcher.cpp), as the first line.
  wchar_t launched[32];
  const DWORD digits = GetEnvironmentVariableW(L"TAVRELO_LAUNCHED_AT", launched, 32);
  if (digits > 0 && digits < 32) {
    long long at = 0;
    for (DWORD i = 0; i < digits && launched[i] >= L'0' && launched[i] <= L'9'; ++i)
      at = at * 10 + (launched[i] - L'0');
    write("launched", at);
  }
  for (std::size_t i = 0; i < count; ++i) write(marks[i].step, UnixMicroseconds(marks[i].at));
  CloseHandle(file);
}

}  // namespace tavrelo::ui::win32
