// Start-up time of strandvale-g.exe to its main window on screen, against a bare Win32 window
// (this program started with --bare) in the same run: each is started as its own process, and
// the clock stops when its window is visible. Runs alternate; prints each time and the ratio.
// Usage: bench_startup.exe PATH\strandvale-g.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK bareProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, w, l);
}

int bareWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = bareProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BenchBare";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"BenchBare", L"Bench bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                            300, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

struct Found {
  DWORD pid;
  HWND hwnd = nullptr;
};

BOOL CALLBACK findVisible(HWND hwnd, LPARAM l) {
  auto* f = reinterpret_cast<Found*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == f->pid && IsWindowVisible(hwnd)) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to the process's first visible top-level window.
double timeToWindow(std::wstring commandLine) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  Found found{pi.dwProcessId};
  double ms = -1;
  for (int i = 0; i < 60000 && !found.hwnd; ++i) {
    EnumWindows(findVisible, reinterpret_cast<LPARAM>(&found));
    QueryPerformanceCounter(&now);
    ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (!found.hwnd) Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return found.hwnd ? ms : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wstring(argv[1]) == L"--bare") return bareWindow();
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_startup.exe PATH\\strandvale-g.exe [runs]\n");
    return 2;
  }
  const int runs = argc >= 3 ? std::max(1, _wtoi(argv[2])) : 5;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::vector<double> bare, program;
  for (int i = 0; i < runs; ++i) {
    bare.push_back(timeToWindow(L"\"" + std::wstring(self) + L"\" --bare"));
    program.push_back(timeToWindow(L"\"" + std::wstring(argv[1]) + L"\""));
    std::printf("run %d: bare window %.0f ms, strandvale-g.exe %.0f ms, ratio %.2f\n", i + 1, bare.back(),
                program.back(), program.back() / bare.back());
  }
  std::sort(bare.begin(), bare.end());
  std::sort(program.begin(), program.end());
  std::printf("bare window: %.0f-%.0f ms (median %.0f); strandvale-g.exe: %.0f-%.0f ms (median %.0f); "
              "median ratio %.2f\n",
              bare.front(), bare.back(), bare[bare.size() / 2], program.front(), program.back(),
              program[program.size() / 2], program[program.size() / 2] / bare[bare.size() / 2]);
  return 0;
}
