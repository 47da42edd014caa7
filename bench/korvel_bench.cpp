// Measures the Launcher against the platform's own limits and prints the
// figures: each is the median of repeated runs, next to a baseline measured
// in the same run. Runs under Wine here and on Windows alike.
//
//   korvel_bench.exe [repetitions] [figure...]
//
// The figures are click, keystroke, start, comvek, exit, memory and soak; all
// of them when none is named. It lays out an installation like the end-to-end
// tests (same environment variables) and needs `empty_dialog.exe` and
// `bare_main_dialog.exe` beside itself.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "harness.h"
#include "soak.h"

namespace {

using namespace korvel;
using namespace korvel::e2e;
using namespace korvel::bench;

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A process of that name that is not among `known`, waited for.
DWORD wait_for_new_process(const std::string& exe_name, const std::set<DWORD>& known) {
  DWORD found = 0;
  poll([&] {
    for (DWORD id : processes_named(exe_name))
      if (!known.count(id)) found = id;
    return found != 0;
  });
  return found;
}

void end_process(DWORD id) {
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

// A visible dialog of one thread with that title. Looking only at the
// Launcher's own windows keeps the polling from loading the window server
// while a hundred other programs' windows stand.
HWND find_thread_dialog(DWORD thread, const char* title) {
  struct Search {
    const char* title;
    HWND found;
  } search{title, nullptr};
  EnumThreadWindows(
      thread,
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char name[64] = {}, caption[128] = {};
        GetClassNameA(window, name, sizeof name);
        GetWindowTextA(window, caption, sizeof caption);
        if (IsWindowVisible(window) && std::string(name) == "#32770" && std::string(caption) == s->title) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string folder_of_this_program() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\'));
}

// From the Launcher's start to its main dialog, the welcome window clicked
// away as soon as it shows; the Launcher is then ended with E X I T.
double launcher_start_ms(const Installation& installation) {
  const auto start = Clock::now();
  Program korvel = installation.start_launcher();
  HWND dialog = nullptr;
  poll([&] {
    if (HWND splash = find_window(korvel.id(), "Welcome"))
      PostMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    return (dialog = find_dialog(korvel.id(), "KORVEL")) != nullptr;
  });
  const double elapsed = ms_since(start);
  if (dialog) click(dialog, exit_button);
  korvel.wait_for_exit();
  return dialog ? elapsed : -1;
}

// From the start of a dialog program of this benchmark's folder, run in
// `directory`, to its dialog of that title; the program is then closed.
double dialog_program_start_ms(const std::string& exe_name, const std::string& directory, const char* title) {
  const auto start = Clock::now();
  Program program(folder_of_this_program() + "\\" + exe_name, exe_name, directory);
  HWND dialog = nullptr;
  poll([&] { return (dialog = find_dialog(program.id(), title)) != nullptr; });
  const double elapsed = ms_since(start);
  if (dialog) PostMessageA(dialog, WM_CLOSE, 0, 0);
  program.wait_for_exit();
  return dialog ? elapsed : -1;
}

void print(const std::vector<Figure>& figures) {
  std::printf("\n| Figure | Median | Baseline | Ratio | Target |\n|---|---|---|---|---|\n");
  for (const Figure& f : figures) {
    char ratio[32] = "";
    if (f.ratio > 0) std::snprintf(ratio, sizeof ratio, "%.2f", f.ratio);
    char value[48] = "-";  // a count the platform does not give
    if (!f.unit.empty()) std::snprintf(value, sizeof value, "%.1f %s", f.value, f.unit.c_str());
    else if (f.value >= 0) std::snprintf(value, sizeof value, "%.0f", f.value);
    std::printf("| %s | %s | %s | %s | %s |\n", f.what.c_str(), value, f.baseline.empty() ? "-" : f.baseline.c_str(),
                ratio, f.target.c_str());
  }
  std::fflush(stdout);
}

std::string ms_text(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", ms);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  const std::set<std::string> named(argv + std::min(argc, 2), argv + argc);
  const auto wanted = [&named](const char* figure) { return named.empty() || named.count(figure) > 0; };
  std::vector<Figure> figures;
  SetEnvironmentVariableA("KORVEL_STANDIN_MODE", "stay");

  Installation installation("bench");
  installation.install_program("LORIM.exe");
  write_file(installation.exe() + "\\Sound.dat", " F\r\n");  // the cues' length is not the Launcher's

  // 1. Click on a tool button to the program's process, against starting it
  //    directly; the runs alternate so that both see the same machine. The
  //    button's command is also sent without a click, which leaves out the
  //    drawing of the pressed button.
  if (wanted("click")) {
    std::vector<double> bare, bare_dialog, launcher, command;
    const std::string standin = installation.exe() + "\\LORIM.exe";
    Program korvel = installation.start_launcher();
    HWND dialog = wait_for_dialog(korvel.id(), "KORVEL");
    auto time_start = [&](const std::function<void()>& start_it) {
      const std::vector<DWORD> running = processes_named("LORIM.exe");
      const std::set<DWORD> before(running.begin(), running.end());
      const auto start = Clock::now();
      start_it();
      const DWORD started = wait_for_new_process("LORIM.exe", before);
      const double elapsed = ms_since(start);
      end_process(started);
      return elapsed;
    };
    HWND button = dialog ? GetDlgItem(dialog, structure_graph_button) : nullptr;
    const std::string empty_dialog = folder_of_this_program() + "\\empty_dialog.exe";
    Program empty(empty_dialog, "empty_dialog.exe " + standin, folder_of_this_program());
    HWND empty_window = nullptr;
    poll([&] { return (empty_window = find_dialog(empty.id(), "Empty")) != nullptr; });
    for (int i = 0; dialog && i < 4 * repetitions; ++i) {  // the shortest figure: four times the runs
      bare.push_back(time_start([&] {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string line = "LORIM.exe \t";
        if (CreateProcessA(standin.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
          CloseHandle(info.hThread);
          CloseHandle(info.hProcess);
        }
      }));
      bare_dialog.push_back(time_start([&] { PostMessageA(empty_window, WM_COMMAND, MAKEWPARAM(structure_graph_button, BN_CLICKED), 0); }));
      launcher.push_back(time_start([&] { PostMessageA(button, BM_CLICK, 0, 0); }));
      command.push_back(time_start(
          [&] { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(structure_graph_button, BN_CLICKED), reinterpret_cast<LPARAM>(button)); }));
    }
    if (dialog) click(dialog, exit_button);
    korvel.wait_for_exit();
    if (empty_window) PostMessageA(empty_window, WM_CLOSE, 0, 0);
    empty.wait_for_exit();
    const double b = median(bare), d = median(bare_dialog), l = median(launcher), c = median(command);
    figures.push_back({"Click on a tool button to its process", l, "ms", ms_text(d) + " (bare dialog program's start)",
                       l / d, "<= 1.2"});
    figures.push_back({"The button's command (no click) to its process", c, "ms",
                       ms_text(d) + " (bare dialog program's start)", c / d, ""});
    figures.push_back({"Bare dialog program's start", d, "ms", ms_text(b) + " (start from this console program)",
                       d / b, ""});
    std::printf("click: launcher %.1f ms, command %.1f ms, bare dialog %.1f ms, bare console %.1f ms\n", l, c, d, b);
  }

  // A keystroke in the Geometry field of the Launcher (the other names derived
  // and shown, buttons enabled, language.dat rewritten) against the same
  // keystroke in the bare main dialog's Geometry edit, which does nothing on a
  // change; the two alternate. "Handled" ends when the sent keystroke returns,
  // "shown" when the dialog has nothing left to paint. Ten pairs a repetition:
  // when Wine paints varies by tens of milliseconds from one keystroke to the
  // next, and only many of them give a median that holds from run to run.
  if (wanted("keystroke")) {
    std::vector<double> launcher_handled, launcher_shown, bare_handled, bare_shown;
    Program korvel = installation.start_launcher();
    HWND dialog = wait_for_dialog(korvel.id(), "KORVEL");
    Program bare(folder_of_this_program() + "\\bare_main_dialog.exe", "bare_main_dialog.exe", installation.exe());
    HWND bare_dialog = nullptr;
    poll([&] { return (bare_dialog = find_dialog(bare.id(), "KORVEL")) != nullptr; });
    HWND edit = dialog ? GetDlgItem(dialog, geometry_edit) : nullptr;
    HWND bare_edit = bare_dialog ? GetDlgItem(bare_dialog, geometry_edit) : nullptr;
    auto keystroke = [](HWND window, HWND field, char key, std::vector<double>& handled, std::vector<double>& shown) {
      poll([&] { return nothing_to_paint(window); });  // the previous one is drawn
      SendMessageA(field, EM_SETSEL, 0, -1);
      const auto start = Clock::now();
      SendMessageA(field, WM_CHAR, static_cast<WPARAM>(key), 1);
      handled.push_back(ms_since(start));
      poll([&] { return nothing_to_paint(window); });
      shown.push_back(ms_since(start));
    };
    for (int i = 0; edit && bare_edit && i < repetitions * 10; ++i) {
      const char key = static_cast<char>('a' + i % 26);
      keystroke(bare_dialog, bare_edit, key, bare_handled, bare_shown);
      keystroke(dialog, edit, key, launcher_handled, launcher_shown);
    }
    if (dialog) click(dialog, exit_button);
    korvel.wait_for_exit();
    if (bare_dialog) PostMessageA(bare_dialog, WM_CLOSE, 0, 0);
    bare.wait_for_exit();
    const double lh = median(launcher_handled), ls = median(launcher_shown);
    const double bh = median(bare_handled), bs = median(bare_shown);
    figures.push_back({"Keystroke in the Geometry field, handled and shown", ls, "ms",
                       ms_text(bs) + " (the bare main dialog's Geometry edit)", bs > 0 ? ls / bs : 0, "<= 1.5"});
    figures.push_back({"Keystroke in the Geometry field, handled", lh, "ms",
                       ms_text(bh) + " (the bare main dialog's Geometry edit)", bh > 0 ? lh / bh : 0, ""});
    std::printf("keystroke: launcher %.1f ms handled, %.1f ms shown; bare %.1f ms handled, %.1f ms shown\n", lh, ls,
                bh, bs);
  }

  // 2. Start-up to the main dialog, against the bare main dialog (the same
  //    window and icons, nothing else) and an empty dialog program.
  const std::string empty_dialog = folder_of_this_program() + "\\empty_dialog.exe";
  double one_line_start = 0;
  if (wanted("start")) {
    std::vector<double> empty, bare, launcher;
    for (int i = 0; i < repetitions; ++i) {
      empty.push_back(dialog_program_start_ms("empty_dialog.exe", folder_of_this_program(), "Empty"));
      // In the installation's Exe folder, where it finds the icons.
      bare.push_back(dialog_program_start_ms("bare_main_dialog.exe", installation.exe(), "KORVEL"));
      launcher.push_back(launcher_start_ms(installation));
    }
    const double e = median(empty), b = median(bare), l = median(launcher);
    figures.push_back({"Start to the main dialog (welcome clicked away)", l, "ms",
                       ms_text(b) + " (the bare main dialog)", l / b, "<= 1.1"});
    figures.push_back({"Start to the main dialog (welcome clicked away)", l, "ms", ms_text(e) + " (empty dialog)",
                       l / e, "< 1.5"});
    figures.push_back({"The bare main dialog's start", b, "ms", ms_text(e) + " (empty dialog)", b / e, ""});
    std::printf("start: launcher %.1f ms, bare main dialog %.1f ms, empty dialog %.1f ms\n", l, b, e);
  }

  // 3. ComVek.dat of 100 MB against one of one line, in two working
  //    directories that the runs alternate between.
  if (wanted("comvek")) {
    const std::string small_dir = installation.path("work-small"), large_dir = installation.path("work-large");
    CreateDirectoryA(small_dir.c_str(), nullptr);
    CreateDirectoryA(large_dir.c_str(), nullptr);
    write_file(small_dir + "\\ComVek.dat", "Romanian\r\n");
    {
      std::string big;
      const std::string line = "English   a line of the working directory's run log\r\n";
      big.reserve(100u << 20);
      while (big.size() + line.size() < (100u << 20) - 10) big += line;
      big += "Romanian\r\n";
      write_file(large_dir + "\\ComVek.dat", big);
    }
    const std::string work_dir_dat = installation.exe() + "\\work_dir.dat";
    std::vector<double> small, large;
    for (int i = -1; i < repetitions; ++i) {  // the first round warms the file cache and is not counted
      write_file(work_dir_dat, small_dir + "\r\n");
      const double s = launcher_start_ms(installation);
      write_file(work_dir_dat, large_dir + "\r\n");
      const double l = launcher_start_ms(installation);
      if (i < 0) continue;
      small.push_back(s);
      large.push_back(l);
    }
    const double s = median(small), l = median(large);
    one_line_start = s;
    figures.push_back({"Start with a 100 MB ComVek.dat", l, "ms", ms_text(s) + " (one line)", l / s, "<= 1.05"});
    std::printf("ComVek.dat: 100 MB %.1f ms, one line %.1f ms\n", l, s);
    DeleteFileA((large_dir + "\\ComVek.dat").c_str());
    DeleteFileA(work_dir_dat.c_str());
  }

  // 4. The exit check: from E X I T to the prompt with 100 started programs
  //    still running, against the same with one (the prompt's own cost).
  if (wanted("exit")) {
    std::vector<std::pair<int, double>> bare_checks;
    auto exit_to_prompt_ms = [&](int programs) {
      Program korvel = installation.start_launcher();
      HWND dialog = wait_for_dialog(korvel.id(), "KORVEL");
      if (!dialog) return -1.0;
      const std::vector<DWORD> earlier = processes_named("LORIM.exe");
      std::set<DWORD> started(earlier.begin(), earlier.end());
      for (int i = 0; i < programs; ++i) {
        PostMessageA(GetDlgItem(dialog, structure_graph_button), BM_CLICK, 0, 0);
        started.insert(wait_for_new_process("LORIM.exe", started));
      }
      Sleep(500);  // let the programs finish starting
      // The check's own calls, made by this bare program on the same programs.
      const auto bare_start = Clock::now();
      std::size_t running = 0;
      for (DWORD id : started) {
        HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, TRUE, id);
        DWORD code = 0;
        if (process && GetExitCodeProcess(process, &code) && code == STILL_ACTIVE) ++running;
        if (process) CloseHandle(process);
      }
      bare_checks.push_back({programs, ms_since(bare_start)});
      const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
      const auto start = Clock::now();
      click(dialog, exit_button);
      HWND box = nullptr;
      poll([&] { return (box = find_thread_dialog(thread, "KORVEL Message")) != nullptr; });
      const double elapsed = ms_since(start);
      if (box) answer(box, IDYES);
      korvel.wait_for_exit(std::chrono::seconds(120));
      for (DWORD id : processes_named("LORIM.exe")) end_process(id);
      return box ? elapsed : -1.0;
    };
    std::vector<double> hundred, one;
    const int runs = std::max(3, repetitions / 3);
    for (int run = 0; run < runs; ++run) {
      one.push_back(exit_to_prompt_ms(1));
      hundred.push_back(exit_to_prompt_ms(100));
    }
    std::vector<double> bare_hundred;
    for (const auto& [programs, ms] : bare_checks)
      if (programs == 100) bare_hundred.push_back(ms);
    const double h = median(hundred), o = median(one);
    figures.push_back({"Exit to the prompt, 100 programs running", h, "ms", ms_text(o) + " (one running)", h / o, ""});
    figures.push_back({"Exit check of 100 programs (difference)", h - o, "ms",
                       ms_text(median(bare_hundred)) + " (the check's calls, bare)", 0, "< 50 ms"});
    std::printf("exit: 100 programs %.1f ms, one %.1f ms\n", h, o);
  }

  // 5. Memory of the Launcher waiting idle, against the empty dialog program
  //    (what the platform itself costs a dialog program), and the size of
  //    Korvel.exe as built (with its symbols) and as shipped (without).
  if (wanted("memory")) {
    struct Memory {
      double peak = 0;
    };
    auto memory_of = [](DWORD id) {
      Sleep(1000);  // idle: let the start-up's work settle before reading the peak
      Memory m;
      PROCESS_MEMORY_COUNTERS counters{};
      counters.cb = sizeof counters;
      HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
      if (process && GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        m.peak = static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0;
      }
      if (process) CloseHandle(process);
      return m;
    };
    Program korvel = installation.start_launcher();
    HWND dialog = wait_for_dialog(korvel.id(), "KORVEL");
    const Memory launcher = memory_of(korvel.id());
    if (dialog) click(dialog, exit_button);
    korvel.wait_for_exit();

    Program empty(empty_dialog, "empty_dialog.exe", folder_of_this_program());
    HWND empty_window = nullptr;
    poll([&] { return (empty_window = find_dialog(empty.id(), "Empty")) != nullptr; });
    const Memory bare = memory_of(empty.id());
    if (empty_window) PostMessageA(empty_window, WM_CLOSE, 0, 0);
    empty.wait_for_exit();

    char text[64];
    std::snprintf(text, sizeof text, "%.1f MB (empty dialog)", bare.peak);
    figures.push_back({"Peak working set, idle", launcher.peak, "MB", text, launcher.peak / bare.peak, "< 8 MB on Windows"});

    for (const auto& [what, file] : {std::pair<const char*, std::string>{"Size of Korvel.exe as built", installation.exe() + "\\Korvel.exe"},
                                     {"Size of Korvel.exe as shipped", folder_of_this_program() + "\\..\\package\\KORVEL\\Exe\\Korvel.exe"}}) {
      WIN32_FILE_ATTRIBUTE_DATA data{};
      if (GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
        figures.push_back({what, data.nFileSizeLow / 1024.0, "KiB", "", 0, "< 1024 KiB"});
    }
  }

  // 6. A long session: the Launcher's memory and handles after it.
  if (wanted("soak")) {
    SetEnvironmentVariableA("KORVEL_STANDIN_MODE", "exit");
    run_soak(installation, figures);
    SetEnvironmentVariableA("KORVEL_STANDIN_MODE", "stay");
  }

  std::printf("\n%d repetitions; one-line start %.1f ms\n", repetitions, one_line_start);
  print(figures);
  return 0;
}
