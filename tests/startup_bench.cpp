// The game's start beside a bare Qt window's, started in turn on one X
// server (run the benchmarks under xvfb-run): the time from a program's
// start to its first window on the screen, and the most memory it held by
// the time that window had been up a moment. The ratios are the figures.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Hears every window that is put on the screen.
class Screen {
 public:
  Screen() : x_(xcb_connect(nullptr, nullptr)) {
    if (!ok()) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x_, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x_);
  }
  ~Screen() { xcb_disconnect(x_); }
  bool ok() const { return xcb_connection_has_error(x_) == 0; }

  // True when a window was shown since the last call, within 20 s.
  bool windowShown() {
    for (const auto deadline = Clock::now() + 20s; Clock::now() < deadline;) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) return true;
      }
      pollfd fd{xcb_get_file_descriptor(x_), POLLIN, 0};
      poll(&fd, 1, 100);
    }
    return false;
  }
  void forgetEarlierWindows() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) std::free(event);
  }

 private:
  xcb_connection_t* x_;
};

struct Start {
  double ms = 0;
  double peakMiB = 0;
};

// Starts the program, waits for its window, lets it paint, and ends it.
Start startOnce(Screen& screen, std::vector<std::string> command) {
  std::vector<char*> argv;
  for (std::string& a : command) argv.push_back(a.data());
  argv.push_back(nullptr);
  screen.forgetEarlierWindows();
  const auto began = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
  const bool shown = screen.windowShown();
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
  std::this_thread::sleep_for(300ms);
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {shown ? ms : 0, usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace

// Arg 0: the game in Japanese; 1: in English. Each iteration starts both
// programs, in turns that swap, so that neither has the warmer machine.
static void BM_StartUpBesideABareWindow(benchmark::State& state) {
  static Screen screen;  // one connection: the X server may reset when its last client leaves
  if (!screen.ok()) {
    state.SkipWithError("needs an X server: run under xvfb-run");
    return;
  }
  // A first start, whose settings and files go into a folder of its own.
  QTemporaryDir home;
  setenv("XDG_CONFIG_HOME", qPrintable(home.filePath("config")), 1);
  const std::vector<std::string> game = {MOFURIN_BIN_DIR "/mofurin", "--data-dir", home.filePath("data").toStdString(),
                                         "--language", state.range(0) ? "en" : "ja"};
  const std::vector<std::string> bare = {MOFURIN_BARE_WINDOW};
  std::vector<double> gameMs, bareMs, gameMiB, bareMiB, timeRatios, memoryRatios;
  bool gameFirst = true;
  for (auto _ : state) {
    Start g, b;
    for (int turn = 0; turn < 2; ++turn) {
      const bool isGame = (turn == 0) == gameFirst;
      (isGame ? g : b) = startOnce(screen, isGame ? game : bare);
    }
    gameFirst = !gameFirst;
    if (g.ms == 0 || b.ms == 0) {
      state.SkipWithError(g.ms == 0 ? "the game showed no window" : "the bare window did not show");
      return;
    }
    gameMs.push_back(g.ms);
    bareMs.push_back(b.ms);
    gameMiB.push_back(g.peakMiB);
    bareMiB.push_back(b.peakMiB);
    // A pair runs side by side, so what else loads the machine loads both.
    timeRatios.push_back(g.ms / b.ms);
    memoryRatios.push_back(g.peakMiB / b.peakMiB);
  }
  state.counters["game_ms"] = median(gameMs);
  state.counters["bare_ms"] = median(bareMs);
  state.counters["time_ratio"] = median(timeRatios);
  state.counters["game_MiB"] = median(gameMiB);
  state.counters["bare_MiB"] = median(bareMiB);
  state.counters["memory_ratio"] = median(memoryRatios);
}
BENCHMARK(BM_StartUpBesideABareWindow)->ArgName("english")->Arg(0)->Arg(1)->Iterations(21)->Unit(benchmark::kMillisecond);
