#include "platform/qt/SdlMedia.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <numbers>
#include <optional>
#include <thread>
#include <vector>

#include "platform/MidiLength.h"

namespace mofurin::platform {

namespace {

constexpr int kEffectChannel = 0;  // hit sounds: a new one cuts the last short
constexpr int kBeepChannel = 1;
constexpr int kChannels = 2;
constexpr int kCachedImages = 4;  // both hit sounds and the blip, with room to spare

// The game's 0..100 as the mixer's 0..128, in proportion: half is 6 dB down.
int mixerVolume(int percent) { return (std::clamp(percent, 0, 100) * MIX_MAX_VOLUME + 50) / 100; }

using SteadyClock = std::chrono::steady_clock;

// The mixer is loaded when the first bout needs it, not linked: linking it
// would load FluidSynth, PulseAudio, JACK and some forty other libraries at
// every start of the game, sound or not.
struct Mixer {
  void* handle = nullptr;
  decltype(&SDL_SetHint) setHint = nullptr;
  decltype(&SDL_InitSubSystem) initSubSystem = nullptr;
  decltype(&SDL_Quit) quit = nullptr;
  decltype(&SDL_RWFromConstMem) rwFromConstMem = nullptr;
  decltype(&Mix_OpenAudio) openAudio = nullptr;
  decltype(&Mix_CloseAudio) closeAudio = nullptr;
  decltype(&Mix_AllocateChannels) allocateChannels = nullptr;
  decltype(&Mix_SetSoundFonts) setSoundFonts = nullptr;
  decltype(&Mix_HookMusicFinished) hookMusicFinished = nullptr;
  decltype(&Mix_LoadMUS) loadMusic = nullptr;
  decltype(&Mix_FreeMusic) freeMusic = nullptr;
  decltype(&Mix_PlayMusic) playMusic = nullptr;
  decltype(&Mix_HaltMusic) haltMusic = nullptr;
  decltype(&Mix_LoadWAV_RW) loadWave = nullptr;
  decltype(&Mix_FreeChunk) freeChunk = nullptr;
  decltype(&Mix_PlayChannel) playChannel = nullptr;
  decltype(&Mix_HaltChannel) haltChannel = nullptr;
  decltype(&Mix_VolumeMusic) volumeMusic = nullptr;
  decltype(&Mix_PauseMusic) pauseMusic = nullptr;
  decltype(&Mix_ResumeMusic) resumeMusic = nullptr;
  decltype(&Mix_Volume) volume = nullptr;

  template <class F>
  bool bind(F& function, const char* name) {
    function = reinterpret_cast<F>(dlsym(handle, name));
    return function != nullptr;
  }

  bool load(const QString& library) {
    handle = dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
    return bind(setHint, "SDL_SetHint") && bind(initSubSystem, "SDL_InitSubSystem") && bind(quit, "SDL_Quit") &&
           bind(rwFromConstMem, "SDL_RWFromConstMem") && bind(openAudio, "Mix_OpenAudio") &&
           bind(closeAudio, "Mix_CloseAudio") && bind(allocateChannels, "Mix_AllocateChannels") &&
           bind(setSoundFonts, "Mix_SetSoundFonts") && bind(hookMusicFinished, "Mix_HookMusicFinished") &&
           bind(loadMusic, "Mix_LoadMUS") && bind(freeMusic, "Mix_FreeMusic") && bind(playMusic, "Mix_PlayMusic") &&
           bind(haltMusic, "Mix_HaltMusic") && bind(loadWave, "Mix_LoadWAV_RW") && bind(freeChunk, "Mix_FreeChunk") &&
           bind(playChannel, "Mix_PlayChannel") && bind(haltChannel, "Mix_HaltChannel") &&
           bind(volumeMusic, "Mix_VolumeMusic") && bind(volume, "Mix_Volume") && bind(pauseMusic, "Mix_PauseMusic") &&
           bind(resumeMusic, "Mix_ResumeMusic");
  }

  void silenceLibraries();
};

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A machine without a sound card, or a broken music file, makes the audio
// libraries write their complaints to the terminal; the game has promised to
// stay quiet.
void Mixer::silenceLibraries() {
  int (*setAlsaHandler)(decltype(&ignoreAlsaError)) = nullptr;
  if (bind(setAlsaHandler, "snd_lib_error_set_handler")) setAlsaHandler(ignoreAlsaError);
  using FluidLog = void (*)(int, const char*, void*);
  FluidLog (*setFluidLog)(int, FluidLog, void*) = nullptr;
  if (bind(setFluidLog, "fluid_set_log_function")) {
    for (int level = 0; level <= 4; ++level) setFluidLog(level, nullptr, nullptr);  // panic … debug
  }
}

// Counts every end of the music, natural or halted; the mixer tells it from
// its own audio thread and gives the hook no context, hence one counter.
std::atomic<int> musicEndings{0};
void SDLCALL countMusicEnding() { ++musicEndings; }

// A short 880 Hz blip as a wave image: the game's own bell, heard through
// its device even where the desktop has no bell of its own.
QByteArray blipImage() {
  constexpr int kRate = 22050;
  constexpr int kSamples = kRate / 10;
  QByteArray image(44 + 2 * kSamples, '\0');
  char* p = image.data();
  auto put32 = [&p](quint32 v) {
    qToLittleEndian(v, p);
    p += 4;
  };
  auto put16 = [&p](quint16 v) {
    qToLittleEndian(v, p);
    p += 2;
  };
  auto tag = [&p](const char* four) {
    std::copy(four, four + 4, p);
    p += 4;
  };
  tag("RIFF");
  put32(36 + 2 * kSamples);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(2 * kRate);
  put16(2);
  put16(16);
  tag("data");
  put32(2 * kSamples);
  for (int i = 0; i < kSamples; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double attack = std::min(1.0, t / 0.004);  // no click at the start
    const double envelope = attack * std::exp(-t / 0.03);
    put16(static_cast<quint16>(
        static_cast<qint16>(std::lround(9000 * envelope * std::sin(2 * std::numbers::pi * 880 * t)))));
  }
  return image;
}

}  // namespace

// Owns everything of SDL: it is touched on this thread only, in the order
// the commands came. The user-interface thread posts jobs and reads the
// music's progress under the lock, which the worker never holds while it
// calls the mixer.
class SdlMedia::Worker {
 public:
  struct Job {
    enum Kind { Open, Play, Stop, Close, Effect, Beep, Volume, Quit } kind = Quit;
    QString path = {};
    QByteArray image = {};
    int play = 0;
    int musicVolume = 0;  // for Volume
    int effectVolume = 0;
    int open = 0;
  };

  explicit Worker(const Setup& setup) : setup_(setup), thread_([this] { run(); }) {}

  ~Worker() {
    post({.kind = Job::Quit});
    thread_.join();
  }

  void post(Job job) {
    {
      std::lock_guard lock(mutex_);
      jobs_.push_back(std::move(job));
      ++posted_;
    }
    wake_.notify_all();
  }

  void finishWork() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return done_ == posted_; });
  }

  bool deviceOpen() const { return deviceOpen_; }

  // Whether the given "open … alias bgm" found no device or no playable file.
  // Until the worker has got to it, it counts as open.
  bool openFailed(int open) {
    std::lock_guard lock(mutex_);
    return lastOpen_.number == open && !lastOpen_.opened;
  }

  // Whether the given "play bgm" has come to its end. Until the worker has
  // got to it (the device or the file still loading) it is playing.
  bool hasEnded(int play) {
    std::lock_guard lock(mutex_);
    const Progress& p = progress_;
    if (p.play != play) return false;
    if (p.lengthMs && SteadyClock::now() - p.started >= std::chrono::milliseconds(*p.lengthMs)) return true;
    if (!p.audible) return !p.lengthMs;
    return musicEndings != p.endingsAtStart;
  }

 private:
  // The last "open … alias bgm" carried out.
  struct OpenResult {
    int number = 0;
    bool opened = false;
  };

  // The last "play bgm" carried out.
  struct Progress {
    int play = 0;
    SteadyClock::time_point started;
    std::optional<qint64> lengthMs;
    bool audible = false;
    int endingsAtStart = 0;
  };

  void run() {
    openDevice();
    {
      std::lock_guard lock(mutex_);
      ++done_;  // the device counts as the first piece of work
    }
    wake_.notify_all();
    for (;;) {
      Job job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !jobs_.empty(); });
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      if (job.kind == Job::Quit) break;
      carryOut(job);
      {
        std::lock_guard lock(mutex_);
        ++done_;
      }
      wake_.notify_all();
    }
    closeDevice();
  }

  void openDevice() {
    if (!mixer_.load(setup_.library)) return;
    mixer_.silenceLibraries();
    // SDL would otherwise take over Ctrl+C and the terminal's end signal.
    mixer_.setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    mixer_.setHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "モフリンＧＰ");
    if (mixer_.initSubSystem(SDL_INIT_AUDIO) != 0 || mixer_.openAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
      mixer_.quit();  // SDL is the game's alone: this also forgets the hints
      return;
    }
    mixer_.allocateChannels(kChannels);
    mixer_.hookMusicFinished(countMusicEnding);
    // Without its sound font FluidSynth would play the music as silence.
    if (QFileInfo(setup_.soundFont).isReadable()) {
      musicPossible_ = mixer_.setSoundFonts(QFile::encodeName(setup_.soundFont).constData()) != 0;
    }
    deviceOpen_ = true;
  }

  void closeDevice() {
    if (!deviceOpen_) return;
    closeMusic();
    mixer_.haltChannel(-1);
    for (auto& [image, chunk] : chunks_) {
      if (chunk) mixer_.freeChunk(chunk);
    }
    chunks_.clear();
    mixer_.hookMusicFinished(nullptr);
    mixer_.closeAudio();
    mixer_.quit();
    deviceOpen_ = false;
    // The library stays loaded: FluidSynth and the sound servers' clients do
    // not all take kindly to being unloaded.
  }

  void carryOut(const Job& job) {
    switch (job.kind) {
      case Job::Open: openMusic(job.open, job.path); break;
      case Job::Play: playMusic(job.play); break;
      case Job::Stop:
        if (music_) mixer_.haltMusic();
        break;
      case Job::Close: closeMusic(); break;
      case Job::Effect: playOn(kEffectChannel, job.image); break;
      case Job::Beep: beep(); break;
      case Job::Volume: setVolumes(job.musicVolume, job.effectVolume); break;
      case Job::Quit: break;
    }
  }

  // Without a device or a readable file the channel does not open. Without
  // the sound font it opens and keeps the piece's time, unheard.
  void openMusic(int open, const QString& path) {
    closeMusic();
    musicLengthMs_ = midiFileLengthMs(path);
    if (deviceOpen_ && musicPossible_) music_ = mixer_.loadMusic(QFile::encodeName(path).constData());
    std::lock_guard lock(mutex_);
    lastOpen_ = {open, deviceOpen_ && musicLengthMs_.has_value()};
  }

  // Music switched off is paused rather than played silently: the synthesizer
  // then renders nothing at all. Its time goes on all the same.
  void setVolumes(int music, int effects) {
    musicVolume_ = music;
    if (!deviceOpen_) return;
    mixer_.volumeMusic(mixerVolume(music));
    mixer_.volume(-1, mixerVolume(effects));
    if (music == 0) {
      mixer_.pauseMusic();
    } else {
      mixer_.resumeMusic();
    }
  }

  void playMusic(int play) {
    const bool audible = music_ && mixer_.playMusic(music_, 0) == 0;
    if (musicVolume_ == 0) mixer_.pauseMusic();
    std::lock_guard lock(mutex_);
    progress_ = {play, SteadyClock::now(), musicLengthMs_, audible, musicEndings};
  }

  void closeMusic() {
    if (music_) {
      mixer_.haltMusic();
      mixer_.freeMusic(music_);
      music_ = nullptr;
    }
    musicLengthMs_.reset();
  }

  void playOn(int channel, const QByteArray& image) {
    if (!deviceOpen_) return;
    if (Mix_Chunk* chunk = decoded(image)) {
      mixer_.haltChannel(channel);
      mixer_.playChannel(channel, chunk, 0);
    }
  }

  // The decoded sound of a wave image, decoded once: a bout plays the same
  // two images hit after hit (read afresh for every bout, equal in content).
  Mix_Chunk* decoded(const QByteArray& image) {
    for (const auto& [known, chunk] : chunks_) {
      if (known == image) return chunk;
    }
    SDL_RWops* bytes = mixer_.rwFromConstMem(image.constData(), static_cast<int>(image.size()));
    Mix_Chunk* chunk = bytes ? mixer_.loadWave(bytes, 1) : nullptr;  // a broken image stays silent
    if (chunks_.size() == kCachedImages) {
      if (chunks_.front().second) mixer_.freeChunk(chunks_.front().second);
      chunks_.erase(chunks_.begin());
    }
    chunks_.emplace_back(image, chunk);
    return chunk;
  }

  void beep() {
    if (deviceOpen_) {
      playOn(kBeepChannel, blip_);
    } else if (QCoreApplication* app = QCoreApplication::instance()) {
      QMetaObject::invokeMethod(
          app, [] { QApplication::beep(); }, Qt::QueuedConnection);
    }
  }

  const Setup setup_;
  const QByteArray blip_ = blipImage();

  // Shared with the user-interface thread.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  quint64 posted_ = 1;  // the device's opening is posted with the thread
  quint64 done_ = 0;
  Progress progress_;
  OpenResult lastOpen_;
  std::atomic<bool> deviceOpen_{false};

  // The worker's own.
  Mixer mixer_;
  bool musicPossible_ = false;
  int musicVolume_ = 100;
  Mix_Music* music_ = nullptr;
  std::optional<qint64> musicLengthMs_;
  std::vector<std::pair<QByteArray, Mix_Chunk*>> chunks_;

  std::thread thread_;  // last: it starts once everything above is ready
};

SdlMedia::SdlMedia() : SdlMedia(Setup{}) {}

SdlMedia::SdlMedia(Setup setup) : setup_(std::move(setup)) {}

SdlMedia::~SdlMedia() = default;

QString SdlMedia::bestSoundFont() { return QFileInfo(kFluidR3).isReadable() ? kFluidR3 : kTimGM6mb; }

SdlMedia::Worker& SdlMedia::worker() {
  if (!worker_) {
    worker_ = std::make_unique<Worker>(setup_);
    postVolumes();
  }
  return *worker_;
}

void SdlMedia::postVolumes() {
  worker_->post({.kind = Worker::Job::Volume, .musicVolume = musicVolume_, .effectVolume = effectVolume_});
}

// Nothing is opened for a volume: it waits for the first sound of the game.
void SdlMedia::setMusicVolume(int percent) {
  musicVolume_ = percent;
  if (worker_) postVolumes();
}

void SdlMedia::setEffectVolume(int percent) {
  effectVolume_ = percent;
  if (worker_) postVolumes();
}

void SdlMedia::command(const QString& text) {
  const MusicCommand c = readMusicCommand(text);
  switch (c.kind) {
    case MusicCommand::Open:
      if (channelOpen_) return;  // the alias is taken
      channelOpen_ = true;
      worker().post({.kind = Worker::Job::Open, .path = c.file, .open = ++openCount_});
      break;
    case MusicCommand::Play:
      if (!channelOpen_) return;
      playing_ = true;
      worker().post({.kind = Worker::Job::Play, .play = ++playCount_});
      break;
    case MusicCommand::Stop:
      playing_ = false;
      if (channelOpen_) worker().post({.kind = Worker::Job::Stop});
      break;
    case MusicCommand::Close:
      playing_ = false;
      if (!channelOpen_) return;
      channelOpen_ = false;
      worker().post({.kind = Worker::Job::Close});
      break;
    case MusicCommand::Other: break;
  }
}

QString SdlMedia::musicMode() {
  if (!channelOpen_ || worker().openFailed(openCount_)) return {};
  const bool ended = !playing_ || worker().hasEnded(playCount_);
  return ended ? QStringLiteral("stopped") : QStringLiteral("playing");
}

void SdlMedia::playEffect(const QByteArray& waveImage) {
  if (!waveImage.isEmpty()) worker().post({.kind = Worker::Job::Effect, .image = waveImage});
}

void SdlMedia::beep() { worker().post({.kind = Worker::Job::Beep}); }

void SdlMedia::finishWork() {
  if (worker_) worker_->finishWork();
}

bool SdlMedia::deviceOpen() const { return worker_ && worker_->deviceOpen(); }

}  // namespace mofurin::platform
