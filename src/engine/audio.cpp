#include "engine/audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/clock.h"
#include "engine/files.h"

namespace {

// More simultaneous voices than the game ever needs; past this, finished voices are
// taken back from their channels.
constexpr std::size_t kMaxVoices = 64;
// The device cannot play at rate 0 and clamps very high rates anyway.
constexpr float kMinRate = 1.0f / 64.0f;
constexpr float kMaxRate = 64.0f;

struct Voice {
  ALuint source = 0;
  unsigned long long ticket = 0;  // order of the last start; also proves who holds it
  bool owned = false;             // a live channel holds it
};

struct AudioState {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  bool tried = false;
  bool forceNoDevice = false;
  std::vector<Voice> voices;
  std::vector<TSound*> sounds;  // sounds holding a device buffer
  unsigned long long nextTicket = 1;
};

// Never destroyed: sounds and channels kept by other static objects may outlive it.
AudioState& audio() {
  static AudioState& state = *new AudioState();
  return state;
}

float clampOr(float value, float lo, float hi, float whenNaN) {
  if (std::isnan(value)) return whenNaN;
  return std::clamp(value, lo, hi);
}

ALint sourceState(ALuint source) {
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state;
}

// The oldest voice nobody is using, a new one while the pool is below its bound, or -1.
int acquireVoice() {
  AudioState& a = audio();
  int best = -1;
  for (std::size_t i = 0; i < a.voices.size(); ++i) {
    const Voice& v = a.voices[i];
    const ALint state = sourceState(v.source);
    // A cued voice waits in the initial state, so that state is only free when unowned.
    const bool finished = state == AL_STOPPED || (state == AL_INITIAL && !v.owned);
    if (finished && (best < 0 || v.ticket < a.voices[best].ticket)) best = static_cast<int>(i);
  }
  if (best >= 0) return best;
  if (a.voices.size() >= kMaxVoices) return -1;
  alGetError();
  Voice v;
  alGenSources(1, &v.source);
  if (alGetError() != AL_NO_ERROR) return -1;
  alSourcei(v.source, AL_SOURCE_RELATIVE, AL_TRUE);
  a.voices.push_back(v);
  return static_cast<int>(a.voices.size() - 1);
}

// ---- Ogg Vorbis decoding from bytes in memory ----

struct MemoryFile {
  const std::vector<unsigned char>* bytes;
  std::size_t pos = 0;
};

std::size_t memRead(void* dst, std::size_t size, std::size_t count, void* src) {
  auto* f = static_cast<MemoryFile*>(src);
  if (size == 0) return 0;
  const std::size_t left = f->bytes->size() - f->pos;
  const std::size_t n = std::min(count, left / size);
  std::memcpy(dst, f->bytes->data() + f->pos, n * size);
  f->pos += n * size;
  return n;
}

int memSeek(void* src, ogg_int64_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(src);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(f->pos);
  else if (whence == SEEK_END) base = static_cast<ogg_int64_t>(f->bytes->size());
  else if (whence != SEEK_SET) return -1;
  const ogg_int64_t to = base + offset;
  if (to < 0 || to > static_cast<ogg_int64_t>(f->bytes->size())) return -1;
  f->pos = static_cast<std::size_t>(to);
  return 0;
}

long memTell(void* src) { return static_cast<long>(static_cast<MemoryFile*>(src)->pos); }

struct Pcm {
  std::vector<std::int16_t> samples;  // interleaved
  int channels = 0;
  long rate = 0;
};

// Fills `pcm` or returns why it could not.
const char* decodeVorbis(const std::vector<unsigned char>& bytes, Pcm& pcm) {
  MemoryFile file{&bytes};
  const ov_callbacks callbacks{memRead, memSeek, nullptr, memTell};
  OggVorbis_File vf;
  // On failure the library has already released what it opened.
  if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) < 0) return "not an Ogg Vorbis file";

  const char* problem = nullptr;
  const vorbis_info* info = ov_info(&vf, -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0) {
    problem = "only mono and stereo sounds are supported";
  } else {
    pcm.channels = info->channels;
    pcm.rate = info->rate;
    const ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (total > 0) pcm.samples.reserve(static_cast<std::size_t>(total) * pcm.channels);
    constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;
    std::int16_t chunk[8192];
    for (;;) {
      int link = 0;
      const long got = ov_read(&vf, reinterpret_cast<char*>(chunk), sizeof chunk, kBigEndian,
                               2, 1, &link);
      if (got == 0) break;
      if (got == OV_HOLE) continue;  // a gap in the stream; the audio after it is fine
      if (got < 0) {
        problem = "corrupt audio data";
        break;
      }
      const vorbis_info* now = ov_info(&vf, link);
      if (!now || now->channels != pcm.channels || now->rate != pcm.rate) {
        problem = "the format changes inside the file";
        break;
      }
      pcm.samples.insert(pcm.samples.end(), chunk, chunk + got / 2);
    }
    if (!problem && pcm.samples.empty()) problem = "no audio in the file";
  }
  ov_clear(&vf);
  return problem;
}

SoundPtr loadFailed(const std::string& path, const char* why) {
  std::fprintf(stderr, "Cannot load sound \"%s\": %s\n", path.c_str(), why);
  return nullptr;
}

}  // namespace

// ---- device ----

bool openAudio() {
  AudioState& a = audio();
  if (a.context) return true;
  if (a.tried) return false;
  a.tried = true;
  if (!a.forceNoDevice) a.device = alcOpenDevice(nullptr);
  if (a.device) {
    a.context = alcCreateContext(a.device, nullptr);
    if (a.context && alcMakeContextCurrent(a.context)) {
      // Volume and pan are set per channel; distance plays no part.
      alDistanceModel(AL_NONE);
      return true;
    }
    if (a.context) alcDestroyContext(a.context);
    alcCloseDevice(a.device);
    a.context = nullptr;
    a.device = nullptr;
  }
  std::fprintf(stderr, "No sound device: the game runs silently\n");
  return false;
}

void closeAudio() {
  AudioState& a = audio();
  if (a.context) {
    for (Voice& v : a.voices) {
      alSourceStop(v.source);
      alSourcei(v.source, AL_BUFFER, 0);
      alDeleteSources(1, &v.source);
    }
    for (TSound* s : a.sounds) {
      alDeleteBuffers(1, &s->buffer_);
      s->buffer_ = 0;
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(a.context);
  }
  if (a.device) alcCloseDevice(a.device);
  a.voices.clear();
  a.sounds.clear();
  a.context = nullptr;
  a.device = nullptr;
  a.tried = false;
}

bool audioDeviceOpen() { return audio().context != nullptr; }

void forceNoAudioDevice(bool force) { audio().forceNoDevice = force; }

ChannelPtr allocChannel() { return std::make_shared<TChannel>(); }

// ---- TSound ----

SoundPtr TSound::load(const std::string& path, int flags) {
  std::vector<unsigned char> bytes;
  if (fileType(path) == 0) return loadFailed(path, "no such file");
  if (!readFileBytes(path, bytes)) return loadFailed(path, "cannot read the file");
  if (bytes.empty()) return loadFailed(path, "the file is empty");
  Pcm pcm;
  if (const char* why = decodeVorbis(bytes, pcm)) return loadFailed(path, why);

  SoundPtr sound(new TSound());
  sound->flags_ = flags;
  const long long frames = static_cast<long long>(pcm.samples.size()) / pcm.channels;
  sound->lengthMs_ = static_cast<int>(frames * 1000 / pcm.rate);

  if (openAudio()) {
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() == AL_NO_ERROR) {
      const ALenum format = pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
      alBufferData(buffer, format, pcm.samples.data(),
                   static_cast<ALsizei>(pcm.samples.size() * sizeof(std::int16_t)),
                   static_cast<ALsizei>(pcm.rate));
      if (alGetError() == AL_NO_ERROR) {
        sound->buffer_ = buffer;
        audio().sounds.push_back(sound.get());
      } else {
        alDeleteBuffers(1, &buffer);
      }
    }
    if (!sound->buffer_) {
      std::fprintf(stderr, "Sound \"%s\" plays silently: the device refused it\n", path.c_str());
    }
  }
  return sound;
}

TSound::~TSound() {
  if (!buffer_) return;
  AudioState& a = audio();
  // The device cannot free a buffer that a voice still holds.
  for (const Voice& v : a.voices) {
    ALint held = 0;
    alGetSourcei(v.source, AL_BUFFER, &held);
    if (static_cast<ALuint>(held) == buffer_) {
      alSourceStop(v.source);
      alSourcei(v.source, AL_BUFFER, 0);
    }
  }
  alDeleteBuffers(1, &buffer_);
  std::erase(a.sounds, this);
}

ChannelPtr TSound::start(ChannelPtr channel, bool paused) {
  if (!channel) channel = allocChannel();
  channel->begin(*this, paused);
  return channel;
}

ChannelPtr TSound::play(ChannelPtr channel) { return start(std::move(channel), false); }

ChannelPtr TSound::cue(ChannelPtr channel) { return start(std::move(channel), true); }

// ---- TChannel ----

TChannel::~TChannel() {
  if (!ownsVoice()) return;
  Voice& v = audio().voices[voice_];
  v.owned = false;
  // A playing sound finishes on its own; a paused or cued one would wait forever.
  if (sourceState(v.source) != AL_PLAYING) alSourceStop(v.source);
}

bool TChannel::ownsVoice() const {
  const AudioState& a = audio();
  return voice_ >= 0 && static_cast<std::size_t>(voice_) < a.voices.size() &&
         a.voices[voice_].ticket == ticket_;
}

void TChannel::begin(const TSound& sound, bool paused) {
  stop();
  AudioState& a = audio();
  if (sound.buffer_ && a.context) {
    silent_ = false;
    if (!ownsVoice()) voice_ = acquireVoice();
    if (voice_ < 0) return;  // every voice is busy: this sound is dropped
    Voice& v = a.voices[voice_];
    v.owned = true;
    v.ticket = ticket_ = a.nextTicket++;
    alSourceStop(v.source);
    alSourcei(v.source, AL_BUFFER, static_cast<ALint>(sound.buffer_));
    alSourcei(v.source, AL_LOOPING, sound.looping() ? AL_TRUE : AL_FALSE);
    // Back to the initial state: a cued voice waits there until setPaused(false).
    alSourceRewind(v.source);
    applySettings();
    paused_ = paused;
    if (!paused) alSourcePlay(v.source);
  } else {
    silent_ = true;
    silentStopped_ = false;
    silentLoop_ = sound.looping();
    silentLengthMs_ = sound.lengthMs();
    silentDoneMs_ = 0.0;
    silentSince_ = millis64();
    paused_ = paused;
  }
}

void TChannel::stop() {
  if (ownsVoice()) alSourceStop(audio().voices[voice_].source);
  silentStopped_ = true;
  paused_ = false;
}

void TChannel::setPaused(bool paused) {
  if (paused == paused_ || !playing()) return;
  if (silent_) {
    if (paused) silentDoneMs_ = silentElapsedMs();
    else silentSince_ = millis64();
  } else {
    const ALuint source = audio().voices[voice_].source;
    if (paused) alSourcePause(source);
    else alSourcePlay(source);  // resumes a paused voice, starts a cued one
  }
  paused_ = paused;
}

void TChannel::setVolume(float volume) {
  volume_ = clampOr(volume, 0.0f, 1.0f, 0.0f);
  applySettings();
}

void TChannel::setPan(float pan) {
  pan_ = clampOr(pan, -1.0f, 1.0f, 0.0f);
  applySettings();
}

void TChannel::setDepth(float depth) {
  depth_ = clampOr(depth, -1.0f, 1.0f, 0.0f);
  applySettings();
}

void TChannel::setRate(float rate) {
  if (silent_ && !paused_) {
    silentDoneMs_ = silentElapsedMs();
    silentSince_ = millis64();
  }
  rate_ = clampOr(rate, kMinRate, kMaxRate, 1.0f);
  applySettings();
}

bool TChannel::playing() {
  if (silent_) {
    if (silentStopped_) return false;
    if (!silentLoop_ && silentElapsedMs() >= silentLengthMs_) {
      silentStopped_ = true;
      paused_ = false;
    }
    return !silentStopped_;
  }
  if (!ownsVoice()) return false;
  const ALint state = sourceState(audio().voices[voice_].source);
  return state == AL_PLAYING || state == AL_PAUSED || state == AL_INITIAL;
}

bool TChannel::paused() { return paused_ && playing(); }

void TChannel::applySettings() const {
  if (!ownsVoice()) return;
  const ALuint source = audio().voices[voice_].source;
  alSourcef(source, AL_GAIN, volume_);
  alSourcef(source, AL_PITCH, rate_);
  // Pan walks the front half circle so loudness stays even across it; negative depth
  // swings the sound round behind the listener.
  const float front = std::sqrt(1.0f - pan_ * pan_);
  const float swing = depth_ < 0.0f ? 1.0f + 2.0f * depth_ : 1.0f;
  alSource3f(source, AL_POSITION, pan_, 0.0f, -front * swing);
}

double TChannel::silentElapsedMs() const {
  if (paused_) return silentDoneMs_;
  return silentDoneMs_ + static_cast<double>(millis64() - silentSince_) * rate_;
}
