// The game's start beside a bare Qt window's, started in turn on one X
// server (run the benchmarks under xvfb-run): the time from a program's
// start to its first window on the screen and drawn, and the most memory it
// held by the time that window had been up a moment. The ratios are the
// figures.

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

// Hears every window that is put on the screen, and sees when one has been
// drawn: the root is painted a colour no window of either program uses, and
// a window still shows it until its program first paints.
class Screen {
 public:
  Screen() : x_(xcb_connect(nullptr, nullptr)) {
    if (!ok()) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
    root_ = screen->root;
    const uint32_t values[] = {kUnpainted, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(x_, root_, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_clear_area(x_, 0, root_, 0, 0, 0, 0);
    xcb_flush(x_);
  }
  ~Screen() { xcb_disconnect(x_); }
  bool ok() const { return xcb_connection_has_error(x_) == 0; }

  // The window shown since the last call, within 20 s (0: none).
  xcb_window_t windowShown() {
    for (const auto deadline = Clock::now() + 20s; Clock::now() < deadline;) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
        xcb_window_t mapped = 0;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
          mapped = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        }
        std::free(event);
        if (mapped) return mapped;
      }
      pollfd fd{xcb_get_file_descriptor(x_), POLLIN, 0};
      poll(&fd, 1, 100);
    }
    return 0;
  }
  // True once the window's middle row shows anything but the root's colour,
  // within 20 s. A row costs the X server little to hand over, so looking
  // every half millisecond slows neither program.
  bool drawn(xcb_window_t window) {
    const auto deadline = Clock::now() + 20s;
    for (; Clock::now() < deadline; std::this_thread::sleep_for(500us)) {
      xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(x_, xcb_get_geometry(x_, window), nullptr);
      if (!geometry) return false;  // gone
      const uint16_t width = geometry->width, middle = geometry->height / 2;
      std::free(geometry);
      xcb_get_image_reply_t* image = xcb_get_image_reply(
          x_, xcb_get_image(x_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, static_cast<int16_t>(middle), width, 1, ~0u),
          nullptr);
      if (!image) continue;
      const auto* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
      const int count = xcb_get_image_data_length(image) / 4;
      const bool painted = std::any_of(pixels, pixels + count, [](uint32_t p) { return (p & 0xffffff) != kUnpainted; });
      std::free(image);
      if (painted) return true;
    }
    return false;
  }
  void forgetEarlierWindows() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) std::free(event);
  }

 private:
  static constexpr uint32_t kUnpainted = 0xff00ff;
  xcb_connection_t* x_;
  xcb_window_t root_ = 0;
};

struct Start {
  double shownMs = 0;  // the window on the screen
  double drawnMs = 0;  // and its first picture in it
  double peakMiB = 0;
};

double msSince(Clock::time_point began) {
  return std::chrono::duration<double, std::milli>(Clock::now() - began).count();
}

// Starts the program, waits for its window and its first picture, lets it
// paint the rest, and ends it.
Start startOnce(Screen& screen, std::vector<std::string> command) {
  std::vector<char*> argv;
  for (std::string& a : command) argv.push_back(a.data());
  argv.push_back(nullptr);
  screen.forgetEarlierWindows();
  const auto began = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
  Start start;
  if (const xcb_window_t window = screen.windowShown()) {
    start.shownMs = msSince(began);
    if (screen.drawn(window)) start.drawnMs = msSince(began);
  }
  std::this_thread::sleep_for(300ms);
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  start.peakMiB = usage.ru_maxrss / 1024.0;
  return start;
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
  // Each figure's medians over the pairs: the game's, the bare window's,
  // and their ratio. A pair runs side by side, so what else loads the
  // machine loads both.
  struct Figure {
    std::vector<double> game, bare, ratio;
    void add(double g, double b) {
      game.push_back(g);
      bare.push_back(b);
      ratio.push_back(g / b);
    }
  };
  Figure shown, drawn, memory;
  bool gameFirst = true;
  for (auto _ : state) {
    Start g, b;
    for (int turn = 0; turn < 2; ++turn) {
      const bool isGame = (turn == 0) == gameFirst;
      (isGame ? g : b) = startOnce(screen, isGame ? game : bare);
    }
    gameFirst = !gameFirst;
    if (g.drawnMs == 0 || b.drawnMs == 0) {
      state.SkipWithError(g.drawnMs == 0 ? "the game showed no window" : "the bare window did not show");
      return;
    }
    shown.add(g.shownMs, b.shownMs);
    drawn.add(g.drawnMs, b.drawnMs);
    memory.add(g.peakMiB, b.peakMiB);
  }
  // Start-up is until the player sees the window drawn: a bare window is
  // put on the screen before it has loaded its font, the game only after.
  state.counters["game_ms"] = median(drawn.game);
  state.counters["bare_ms"] = median(drawn.bare);
  state.counters["time_ratio"] = median(drawn.ratio);
  state.counters["game_shown_ms"] = median(shown.game);
  state.counters["bare_shown_ms"] = median(shown.bare);
  state.counters["shown_ratio"] = median(shown.ratio);
  state.counters["game_MiB"] = median(memory.game);
  state.counters["bare_MiB"] = median(memory.bare);
  state.counters["memory_ratio"] = median(memory.ratio);
}
BENCHMARK(BM_StartUpBesideABareWindow)
    ->ArgName("english")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(21)
    ->Unit(benchmark::kMillisecond);
