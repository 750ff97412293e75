// The Windows side of tools/bench.sh: start-up to first frame, arming the scheduler, and the
// power-off latency, each printed as "name value" lines.
//   bench_driver firstframe PATH COUNT   median ms from CreateProcess to a painted window
//   bench_driver arm SECONDS             starts Vesper.exe armed that far ahead, leaves it running
//   bench_driver latency COUNT           COUNT armings: target second to power-off request, ms
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "harness.h"

namespace {

constexpr int IDC_EDIT_HOUR = 1001, IDC_EDIT_MINUTE = 1002, IDC_EDIT_SECOND = 1003;
constexpr int IDC_CHECK_REMIND = 1004, IDC_STATIC_INFO = 1005;

// The scheduler's main window once its initialisation has filled the fields and the status line.
HWND WaitForScheduler(e2e::Program& vesper) {
  HWND main = vesper.WaitForWindow(L"#32770", L"Horalux2.0");
  if (main && !e2e::WaitFor([&] { return !e2e::Text(GetDlgItem(main, IDC_STATIC_INFO)).empty(); }))
    return nullptr;
  return main;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Some pixel of the window's client area is painted (the root window behind is black).
bool Painted(HWND hwnd) {
  if (!IsWindowVisible(hwnd)) return false;
  RECT client;
  GetClientRect(hwnd, &client);
  POINT centre{(client.right) / 2, (client.bottom) / 2};
  ClientToScreen(hwnd, &centre);
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, centre.x, centre.y);
  ReleaseDC(nullptr, screen);
  return pixel != RGB(0, 0, 0) && pixel != CLR_INVALID;
}

int FirstFrame(const std::wstring& path, int count) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring command = L"\"" + path + L"\"";
    const std::wstring dir = path.substr(0, path.find_last_of(L'\\') + 1);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &info))
      return 1;
    HWND found = nullptr;
    e2e::WaitFor(
        [&] {
          for (HWND hwnd : e2e::TopLevelWindows(info.dwProcessId, nullptr))
            if (GetWindow(hwnd, GW_OWNER) == nullptr && Painted(hwnd)) found = hwnd;
          return found != nullptr;
        },
        10000);
    QueryPerformanceCounter(&end);
    if (found) times.push_back((end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    Sleep(300);
  }
  std::printf("firstframe_ms %.0f\nfirstframe_runs %zu\n", Median(times), times.size());
  return times.size() == static_cast<size_t>(count) ? 0 : 1;
}

void Enter(HWND main, long long ahead) {
  const time_t t = static_cast<time_t>(time(nullptr) + ahead);
  const tm* local = localtime(&t);
  e2e::SetText(GetDlgItem(main, IDC_EDIT_HOUR), std::to_wstring(local->tm_hour));
  e2e::SetText(GetDlgItem(main, IDC_EDIT_MINUTE), std::to_wstring(local->tm_min));
  e2e::SetText(GetDlgItem(main, IDC_EDIT_SECOND), std::to_wstring(local->tm_sec));
  SendMessageW(GetDlgItem(main, IDC_CHECK_REMIND), BM_SETCHECK, BST_UNCHECKED, 0);
}

int Fail(const char* what);

int Arm(long long seconds) {
  e2e::Program* vesper = new e2e::Program;  // left running for the measurement
  if (!vesper->Start(L"Vesper.exe")) return Fail("Vesper.exe did not start");
  HWND main = WaitForScheduler(*vesper);
  if (!main) return Fail("no scheduler window");
  Enter(main, seconds);
  SendMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
  std::printf("armed %ls\n", e2e::Text(GetDlgItem(main, IDOK)).c_str());
  return 0;
}

int Fail(const char* what) {
  std::fprintf(stderr, "bench_driver: %s\n", what);
  return 1;
}

int Latency(int count) {
  e2e::Program vesper;
  if (!vesper.Start(L"Vesper.exe")) return Fail("Vesper.exe did not start");
  HWND main = WaitForScheduler(vesper);
  if (!main) return Fail("no scheduler window");
  std::vector<double> latencies;
  for (int i = 0; i < count; ++i) {
    const long long target = time(nullptr) + 2;
    Enter(main, 2);
    SendMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);  // arm
    const size_t before = latencies.size();
    e2e::WaitFor([&] { return e2e::ReadPowerOffLog(vesper.PowerOffLog()).size() > before; }, 5000);
    const std::vector<std::string> lines = e2e::ReadPowerOffLog(vesper.PowerOffLog());
    if (lines.size() <= before) return Fail("no power-off request");
    latencies.push_back(static_cast<double>(std::stoll(lines.back()) - target * 1000));
    SendMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);  // cancel the fired schedule
    Sleep(static_cast<DWORD>(50 + (i * 97) % 900));        // arm at varying phases of the second
  }
  std::printf("latency_max_ms %.0f\nlatency_median_ms %.0f\nlatency_min_ms %.0f\n",
              *std::max_element(latencies.begin(), latencies.end()), Median(latencies),
              *std::min_element(latencies.begin(), latencies.end()));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"firstframe")
    return FirstFrame(argv[2], _wtoi(argv[3]));
  if (argc >= 3 && std::wstring(argv[1]) == L"arm") return Arm(_wtoi(argv[2]));
  if (argc >= 3 && std::wstring(argv[1]) == L"latency") return Latency(_wtoi(argv[2]));
  std::fprintf(stderr, "usage: bench_driver firstframe PATH COUNT | arm SECONDS | latency COUNT\n");
  return 2;
}
