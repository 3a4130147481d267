// Reads the running editor's graphics window from outside: its client rectangle on the screen
// and its menu bar with the "&Run" items, their ids and check marks. Run it in the editor's
// current directory; it prints what menu_probe_hook.dll (next to this program) reports from
// inside the editor, and exits 1 if nothing came within 10 seconds. With `resize W H` it first
// makes the window W x H, as a user dragging its border would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kProbeMessage = "ZR590 menu probe";
constexpr int kWaitMs = 10000;
constexpr int kStepMs = 50;

std::string hook_path() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path);
  dir.erase(dir.find_last_of("\\/") + 1);
  return dir + "menu_probe_hook.dll";
}

int fail(const char* what) {
  std::fprintf(stderr, "menu-probe: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  HWND window = nullptr;
  for (int waited = 0; window == nullptr && waited < kWaitMs; waited += kStepMs) {
    window = FindWindowA("DrawWndClass", "ZR590 Graphics");
    if (window == nullptr) Sleep(kStepMs);
  }
  if (window == nullptr) return fail("no window of class DrawWndClass titled \"ZR590 Graphics\"");

  if (argc == 4 && std::string(argv[1]) == "resize") {
    SetWindowPos(window, nullptr, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]),
                 SWP_NOMOVE | SWP_NOZORDER);
  }
  HMODULE dll = LoadLibraryA(hook_path().c_str());
  if (dll == nullptr) return fail("cannot load menu_probe_hook.dll");
  // The stdcall name as mingw exports it, or the plain one.
  FARPROC found = GetProcAddress(dll, "menu_probe_hook@12");
  if (found == nullptr) found = GetProcAddress(dll, "menu_probe_hook");
  auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(found));
  if (hook == nullptr) return fail("menu_probe_hook.dll exports no menu_probe_hook");
  HHOOK installed =
      SetWindowsHookExA(WH_GETMESSAGE, hook, dll, GetWindowThreadProcessId(window, nullptr));
  if (installed == nullptr) return fail("cannot hook the editor's thread");

  DeleteFileA("menu-probe.out");
  PostMessageA(window, RegisterWindowMessageA(kProbeMessage), 0, 0);
  std::FILE* report = nullptr;
  for (int waited = 0; report == nullptr && waited < kWaitMs; waited += kStepMs) {
    report = std::fopen("menu-probe.out", "r");
    if (report == nullptr) Sleep(kStepMs);
  }
  UnhookWindowsHookEx(installed);
  if (report == nullptr) return fail("the editor did not answer");
  char line[1024];
  while (std::fgets(line, sizeof line, report) != nullptr) std::fputs(line, stdout);
  std::fclose(report);
  return 0;
}
