#include "soak.h"

#include <psapi.h>

#include <cstdio>
#include <string>
#include <tuple>

namespace korvel::bench {

namespace {

using namespace korvel::e2e;

// How much of each the session does.
constexpr int name_changes = 1000;
constexpr int about_windows = 100;
constexpr int paints_per_about_window = 3;  // 300 paints of the welcome picture
constexpr int tool_starts = 200;
constexpr int recent_dialogs = 100;

// What the process holds; a count the platform does not give is -1.
struct Holdings {
  double working_set_mb = 0, private_mb = 0;
  long handles = -1, gdi_objects = -1, user_objects = -1;
  DWORD handles_error = 0;  // why the handle count is not given
};

long gui_resources(HANDLE process, DWORD kind) {
  const DWORD count = GetGuiResources(process, kind);
  return count == 0 ? -1 : static_cast<long>(count);  // no program with windows has none
}

Holdings holdings_of(DWORD id) {
  Sleep(1000);  // let the last step's work settle
  Holdings h;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return h;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    h.working_set_mb = static_cast<double>(counters.WorkingSetSize) / 1048576.0;
    h.private_mb = static_cast<double>(counters.PagefileUsage) / 1048576.0;
  }
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles) && handles > 0) h.handles = static_cast<long>(handles);
  else h.handles_error = GetLastError();
  h.gdi_objects = gui_resources(process, GR_GDIOBJECTS);
  h.user_objects = gui_resources(process, GR_USEROBJECTS);
  CloseHandle(process);
  return h;
}

std::string count_text(long count) { return count < 0 ? "not given" : std::to_string(count); }

void print_step(const char* step, const Holdings& h, double seconds) {
  std::printf("soak: %-34s working set %.2f MB, private %.2f MB, handles %s, GDI objects %s, USER objects %s (%.1f s)\n",
              step, h.working_set_mb, h.private_mb, count_text(h.handles).c_str(), count_text(h.gdi_objects).c_str(),
              count_text(h.user_objects).c_str(), seconds);
  std::fflush(stdout);
}

std::vector<HWND> about_windows_of(DWORD id) { return top_windows(id, "Welcome"); }

// The About window drawn again from scratch, and waited for until drawn.
void repaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  poll([&] { return nothing_to_paint(window); }, std::chrono::seconds(10));
}

void close_about(HWND window) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  wait_until_gone(window, std::chrono::seconds(10));
}

}  // namespace

void run_soak(const Installation& installation, std::vector<Figure>& figures) {
  Program korvel = installation.start_launcher();
  HWND dialog = wait_for_dialog(korvel.id(), "KORVEL");
  if (!dialog) {
    std::printf("soak: no main dialog\n");
    return;
  }
  const DWORD id = korvel.id();
  auto step_start = Clock::now();
  const auto seconds = [&] {
    const double s = ms_since(step_start) / 1000.0;
    step_start = Clock::now();
    return s;
  };
  const Holdings start = holdings_of(id);
  print_step("after start-up", start, seconds());
  if (start.handles < 0) std::printf("soak: GetProcessHandleCount failed, error %lu\n", start.handles_error);

  // A name change per keystroke: the whole Geometry name replaced by one letter.
  HWND geometry = GetDlgItem(dialog, geometry_edit);
  for (int i = 0; i < name_changes; ++i) {
    SendMessageA(geometry, EM_SETSEL, 0, -1);
    SendMessageA(geometry, WM_CHAR, static_cast<WPARAM>('a' + i % 26), 1);
  }
  print_step("after 1000 name changes", holdings_of(id), seconds());

  for (int i = 0; i < about_windows; ++i) {
    click(dialog, about_button);
    std::vector<HWND> about;
    if (!poll([&] { return !(about = about_windows_of(id)).empty(); }, std::chrono::seconds(10))) break;
    for (int paint = 0; paint < paints_per_about_window; ++paint) repaint(about.front());
    close_about(about.front());
  }
  print_step("after 100 About windows, 300 paints", holdings_of(id), seconds());

  std::size_t started = installation.journal_entries().size();
  for (int i = 0; i < tool_starts; ++i) {
    click(dialog, structure_graph_button);
    poll([&] { return installation.journal_entries().size() > started; }, std::chrono::seconds(10));
    started = installation.journal_entries().size();
  }
  for (DWORD program : processes_named("LORIM.exe")) Watched(program).wait_for_exit();
  print_step("after 200 tool starts", holdings_of(id), seconds());

  for (int i = 0; i < recent_dialogs; ++i) {
    click(dialog, select_recent_button);
    HWND recent = wait_for_dialog(id, "Recent Dialog", std::chrono::seconds(10));
    if (!recent) break;
    click(recent, dialog_ids::cancel);
    wait_until_gone(recent, std::chrono::seconds(10));
  }
  const Holdings end = holdings_of(id);
  print_step("after 100 Recent Dialogs (the end)", end, seconds());

  click(dialog, exit_button);
  korvel.wait_for_exit();

  char text[96];
  std::snprintf(text, sizeof text, "%.2f MB after start-up", start.working_set_mb);
  figures.push_back({"Working set after the long session", end.working_set_mb, "MB", text,
                     start.working_set_mb > 0 ? end.working_set_mb / start.working_set_mb : 0, "within 2 MB of it"});
  std::snprintf(text, sizeof text, "%.2f MB after start-up", start.private_mb);
  figures.push_back({"Private bytes after the long session", end.private_mb, "MB", text, 0, ""});
  for (const auto& [what, before, after] :
       {std::tuple{"Handles after the long session", start.handles, end.handles},
        std::tuple{"GDI objects after the long session", start.gdi_objects, end.gdi_objects},
        std::tuple{"USER objects after the long session", start.user_objects, end.user_objects}}) {
    if (after < 0) {
      figures.push_back({what, -1, "", "not given by this platform", 0, ""});
      continue;
    }
    figures.push_back({what, static_cast<double>(after), "", count_text(before) + " after start-up", 0, ""});
  }
}

}  // namespace korvel::bench
