// Sounds and channels, on the real (null) device and with no device at all. The Ogg
// files are synthesised here with the Vorbis encoder, so the tests need no content.

#include "engine/audio.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "engine/clock.h"
#include "support/harness.h"

namespace {

namespace fs = std::filesystem;

// A sine tone encoded as Ogg Vorbis.
std::vector<unsigned char> encodeTone(int channels, long rate, int frames) {
  std::vector<unsigned char> out;
  auto appendPage = [&out](const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  };

  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.1f) != 0) return {};
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);

  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(page);

  auto drain = [&] {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) appendPage(page);
      }
    }
  };
  constexpr int kChunk = 1024;
  for (int done = 0; done < frames; done += kChunk) {
    const int n = std::min(kChunk, frames - done);
    float** buffer = vorbis_analysis_buffer(&dsp, n);
    for (int c = 0; c < channels; ++c) {
      for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(done + i) / rate;
        const double hz = 440.0 * (c + 1);
        buffer[c][i] = static_cast<float>(0.5 * std::sin(2.0 * std::numbers::pi * hz * t));
      }
    }
    vorbis_analysis_wrote(&dsp, n);
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

void writeFile(const fs::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// The sound files every test shares, written once into a private folder.
struct Fixtures {
  fs::path dir = harness::makeTempFolder("audio");
  std::string tone = write("tone.ogg", encodeTone(1, 22050, 11025));      // mono, 500 ms
  std::string blip = write("blip.ogg", encodeTone(1, 22050, 1764));       // mono, 80 ms
  std::string stereo = write("stereo.ogg", encodeTone(2, 44100, 11025));  // stereo, 250 ms

  Fixtures() {
    const std::vector<unsigned char> valid = encodeTone(1, 22050, 11025);
    write("empty.ogg", {});
    write("truncated.ogg", std::vector<unsigned char>(valid.begin(), valid.begin() + 200));
    std::vector<unsigned char> garbage(4096);
    for (std::size_t i = 0; i < garbage.size(); ++i) {
      garbage[i] = static_cast<unsigned char>(i * 7919 >> 3);
    }
    write("garbage.ogg", garbage);
    write("three-channels.ogg", encodeTone(3, 22050, 2205));
    fs::create_directories(dir / "folder.ogg");
  }
  std::string write(const char* name, const std::vector<unsigned char>& bytes) const {
    writeFile(dir / name, bytes);
    return path(name);
  }
  std::string path(const char* name) const { return (dir / name).string(); }
};

// Switches the engine clock to real or fake time for one test and back afterwards.
class ClockMode {
 public:
  explicit ClockMode(bool fake) { useFakeClock(fake); }
  ~ClockMode() { useFakeClock(wasFake_); }

 private:
  const bool wasFake_ = fakeClockOn();
};

const Fixtures& fixtures() {
  static const Fixtures files;
  return files;
}

// Polls until the channel stops; its running time in ms, or -1 when it was still
// playing after limitMs.
int msUntilStopped(TChannel& channel, int limitMs) {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    if (!channel.playing()) return static_cast<int>(ms);
    if (ms > limitMs) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

enum class Device { Null, Missing };

const char* name(Device device) { return device == Device::Null ? "NullDevice" : "NoDevice"; }
void PrintTo(Device device, std::ostream* out) { *out << name(device); }
std::string deviceName(const testing::TestParamInfo<Device>& info) { return name(info.param); }

// Every behaviour the game relies on must hold with a device and without one. The
// device plays in real time, so silent channels follow the real clock here too.
class AudioContract : public testing::TestWithParam<Device> {
 protected:
  ClockMode clock_{false};
  void SetUp() override {
    closeAudio();
    forceNoAudioDevice(GetParam() == Device::Missing);
    // The null device must really open, or these tests would only cover silence.
    ASSERT_EQ(openAudio(), GetParam() == Device::Null);
  }
  void TearDown() override {
    closeAudio();
    forceNoAudioDevice(false);
  }
  static SoundPtr load(const std::string& path, int flags = 0) {
    SoundPtr sound = TSound::load(path, flags);
    EXPECT_NE(sound, nullptr) << path;
    return sound;
  }
};

INSTANTIATE_TEST_SUITE_P(Audio, AudioContract, testing::Values(Device::Null, Device::Missing),
                         deviceName);

TEST_P(AudioContract, LoadsMonoAndStereoWithTheirLength) {
  const Fixtures& f = fixtures();
  struct Case {
    std::string path;
    int lengthMs;
  };
  // The upper-case name goes through the case-insensitive lookup.
  fs::path shouted = f.dir / "TONE.OGG";
  const Case cases[] = {{f.tone, 500}, {f.blip, 80}, {f.stereo, 250}, {shouted.string(), 500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const SoundPtr sound = TSound::load(c.path);
    ASSERT_NE(sound, nullptr);
    EXPECT_NEAR(sound->lengthMs(), c.lengthMs, 2);
    EXPECT_FALSE(sound->looping());
  }
  EXPECT_TRUE(TSound::load(f.blip, SOUND_LOOP)->looping());
}

TEST_P(AudioContract, UnreadableFilesGiveNullAndOneLineNamingThem) {
  const Fixtures& f = fixtures();
  const char* names[] = {"missing.ogg", "empty.ogg", "truncated.ogg", "garbage.ogg",
                         "three-channels.ogg", "folder.ogg"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::string path = f.path(name);
    testing::internal::CaptureStderr();
    const SoundPtr sound = TSound::load(path);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(sound, nullptr);
    EXPECT_NE(said.find(path), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

TEST_P(AudioContract, PlayRunsUntilStopped) {
  const SoundPtr sound = load(fixtures().tone);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->play();
  ASSERT_NE(channel, nullptr);
  EXPECT_TRUE(channel->playing());
  EXPECT_FALSE(channel->paused());
  channel->stop();
  EXPECT_FALSE(channel->playing());
  // Pausing and resuming a stopped channel must not bring the sound back.
  channel->setPaused(true);
  channel->setPaused(false);
  EXPECT_FALSE(channel->playing());
}

TEST_P(AudioContract, OneShotEndsByItselfAfterItsLength) {
  const SoundPtr sound = load(fixtures().blip);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->play();
  const int ranMs = msUntilStopped(*channel, 2000);
  EXPECT_GE(ranMs, 40) << "ended long before its 80 ms";
  EXPECT_NE(ranMs, -1) << "still playing after 2 s";
}

TEST_P(AudioContract, LoopKeepsPlayingUntilStopped) {
  const SoundPtr sound = load(fixtures().blip, SOUND_LOOP);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->play();
  sleepMs(250);
  EXPECT_TRUE(channel->playing());
  channel->stop();
  EXPECT_FALSE(channel->playing());
}

TEST_P(AudioContract, PausedChannelHoldsItsPlaceUntilResumed) {
  const SoundPtr sound = load(fixtures().blip);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->play();
  channel->setPaused(true);
  sleepMs(200);
  EXPECT_TRUE(channel->playing());
  EXPECT_TRUE(channel->paused());
  channel->setPaused(false);
  EXPECT_FALSE(channel->paused());
  EXPECT_TRUE(channel->playing());
  EXPECT_NE(msUntilStopped(*channel, 2000), -1);
}

TEST_P(AudioContract, CueWaitsUntilResumed) {
  const SoundPtr sound = load(fixtures().blip);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr used = sound->play();
  used->stop();
  const ChannelPtr onto[] = {nullptr, used};
  for (const ChannelPtr& given : onto) {
    SCOPED_TRACE(given ? "channel that played before" : "new channel");
    const ChannelPtr channel = sound->cue(given);
    channel->setVolume(0.25f);
    channel->setPan(-0.5f);
    sleepMs(150);
    EXPECT_TRUE(channel->paused());
    EXPECT_TRUE(channel->playing());
    channel->setPaused(false);
    EXPECT_FALSE(channel->paused());
    EXPECT_TRUE(channel->playing());
    const int ranMs = msUntilStopped(*channel, 2000);
    EXPECT_GE(ranMs, 40) << "ended long before its 80 ms";
    EXPECT_NE(ranMs, -1);
  }
}

TEST_P(AudioContract, PlayingOnABusyChannelReplacesItsSound) {
  const SoundPtr loop = load(fixtures().blip, SOUND_LOOP);
  const SoundPtr blip = load(fixtures().blip);
  ASSERT_TRUE(loop && blip);
  const ChannelPtr channel = loop->play();
  channel->setVolume(0.5f);
  EXPECT_EQ(blip->play(channel), channel);
  EXPECT_EQ(channel->volume(), 0.5f) << "settings belong to the channel";
  // Only the one-shot is left, so the channel falls silent by itself.
  EXPECT_NE(msUntilStopped(*channel, 2000), -1);
}

TEST_P(AudioContract, RateChangesHowLongASoundLasts) {
  const SoundPtr sound = load(fixtures().tone);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->cue();
  channel->setRate(4.0f);
  channel->setPaused(false);
  const int ranMs = msUntilStopped(*channel, 2000);
  EXPECT_NE(ranMs, -1);
  EXPECT_LT(ranMs, 400) << "500 ms at four times the speed";
}

TEST_P(AudioContract, SettingsAreKeptWithinRange) {
  struct Case {
    float given, volume, pan, rate;
  };
  const Case cases[] = {
      {0.5f, 0.5f, 0.5f, 0.5f},
      {-3.0f, 0.0f, -1.0f, 1.0f / 64.0f},
      {70.0f, 1.0f, 1.0f, 64.0f},
      {NAN, 0.0f, 0.0f, 1.0f},
  };
  const SoundPtr sound = load(fixtures().tone);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->play();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    channel->setVolume(c.given);
    channel->setPan(c.given);
    channel->setDepth(c.given);
    channel->setRate(c.given);
    EXPECT_EQ(channel->volume(), c.volume);
    EXPECT_EQ(channel->pan(), c.pan);
    EXPECT_EQ(channel->depth(), c.pan);
    EXPECT_EQ(channel->rate(), c.rate);
  }
}

TEST_P(AudioContract, NewChannelPlaysNothing) {
  const ChannelPtr channel = allocChannel();
  EXPECT_FALSE(channel->playing());
  channel->setPaused(false);
  EXPECT_FALSE(channel->playing());
}

// Device-only behaviour: the pool of voices and the device's lifetime.
class AudioDevice : public testing::Test {
 protected:
  ClockMode clock_{false};
  void SetUp() override {
    closeAudio();
    forceNoAudioDevice(false);
    ASSERT_TRUE(openAudio());
  }
  void TearDown() override { closeAudio(); }
};

TEST_F(AudioDevice, VoicesAreBoundedAndFinishedOnesAreReused) {
  const SoundPtr loop = TSound::load(fixtures().blip, SOUND_LOOP);
  ASSERT_NE(loop, nullptr);
  std::vector<ChannelPtr> held;
  ChannelPtr refused;
  for (int i = 0; i < 1000 && !refused; ++i) {
    ChannelPtr channel = loop->play();
    if (channel->playing()) held.push_back(channel);
    else refused = channel;
  }
  ASSERT_NE(refused, nullptr) << "no bound on voices";
  ASSERT_GE(held.size(), 32u);
  // The new sound is dropped; those already playing are left alone.
  for (const ChannelPtr& channel : held) EXPECT_TRUE(channel->playing());

  held.front()->stop();
  held.back()->stop();
  EXPECT_TRUE(loop->play(refused)->playing());
  EXPECT_TRUE(loop->play()->playing());
  EXPECT_FALSE(loop->play()->playing()) << "only the two finished voices were free";
  // The voice taken from a stopped channel does not make it play again.
  EXPECT_FALSE(held.front()->playing());
  held.front()->setPaused(false);
  EXPECT_FALSE(held.front()->playing());
}

TEST_F(AudioDevice, DroppedChannelsFreeTheirVoicesOnlyWhenNothingCanResumeThem) {
  const SoundPtr loop = TSound::load(fixtures().blip, SOUND_LOOP);
  ASSERT_NE(loop, nullptr);
  std::vector<ChannelPtr> held;
  for (;;) {
    ChannelPtr channel = loop->play();
    if (!channel->playing()) break;
    held.push_back(channel);
    ASSERT_LT(held.size(), 1000u);
  }
  // A dropped playing channel keeps its voice: its sound goes on.
  held.pop_back();
  EXPECT_FALSE(loop->play()->playing());
  // A dropped paused channel gives its voice back.
  held.back()->setPaused(true);
  held.pop_back();
  EXPECT_TRUE(loop->play()->playing());
}

TEST_F(AudioDevice, ReleasingASoundStopsItsChannels) {
  SoundPtr loop = TSound::load(fixtures().blip, SOUND_LOOP);
  ASSERT_NE(loop, nullptr);
  const ChannelPtr channel = loop->play();
  loop.reset();
  EXPECT_FALSE(channel->playing());
  const SoundPtr other = TSound::load(fixtures().tone);
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(other->play(channel)->playing());
}

TEST_F(AudioDevice, SoundsOutliveClosingTheDeviceAndThenPlaySilently) {
  const SoundPtr sound = TSound::load(fixtures().blip);
  ASSERT_NE(sound, nullptr);
  const ChannelPtr channel = sound->play();
  closeAudio();
  EXPECT_FALSE(channel->playing());
  EXPECT_TRUE(sound->play(channel)->playing());
  EXPECT_NE(msUntilStopped(*channel, 2000), -1);
  EXPECT_TRUE(openAudio());
}

// Without a device, channels follow the game clock exactly.
class AudioSilent : public testing::Test {
 protected:
  void SetUp() override {
    closeAudio();
    forceNoAudioDevice(true);
    sound = TSound::load(fixtures().tone);
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->lengthMs(), 500);
  }
  void TearDown() override {
    closeAudio();
    forceNoAudioDevice(false);
  }
  ClockMode clock_{true};
  SoundPtr sound;
};

TEST_F(AudioSilent, PlaysForTheSoundsLengthScaledByRateWithPausesLeftOut) {
  struct Case {
    const char* name;
    float rate;
    int pauseAtMs, pauseForMs;
    int endsAtMs;  // clock time after the start
  };
  const Case cases[] = {
      {"plain", 1.0f, 0, 0, 500},
      {"double rate", 2.0f, 0, 0, 250},
      {"half rate", 0.5f, 0, 0, 1000},
      {"paused 300 ms", 1.0f, 100, 300, 800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChannelPtr channel = sound->play();
    channel->setRate(c.rate);
    long long now = 0;
    if (c.pauseForMs > 0) {
      advanceFakeClock(c.pauseAtMs);
      channel->setPaused(true);
      advanceFakeClock(c.pauseForMs);
      EXPECT_TRUE(channel->playing());
      channel->setPaused(false);
      now = c.pauseAtMs + c.pauseForMs;
    }
    advanceFakeClock(c.endsAtMs - 1 - now);
    EXPECT_TRUE(channel->playing());
    advanceFakeClock(1);
    EXPECT_FALSE(channel->playing());
  }
}

TEST_F(AudioSilent, RateChangedHalfwayOnlyAffectsTheRest) {
  const ChannelPtr channel = sound->play();
  advanceFakeClock(200);
  channel->setRate(3.0f);  // 300 ms of sound left, now played in 100 ms
  advanceFakeClock(99);
  EXPECT_TRUE(channel->playing());
  advanceFakeClock(1);
  EXPECT_FALSE(channel->playing());
}

TEST_F(AudioSilent, LoopNeverEndsByItself) {
  const SoundPtr loop = TSound::load(fixtures().tone, SOUND_LOOP);
  ASSERT_NE(loop, nullptr);
  const ChannelPtr channel = loop->play();
  advanceFakeClock(60 * 60 * 1000);
  EXPECT_TRUE(channel->playing());
  channel->stop();
  EXPECT_FALSE(channel->playing());
}

}  // namespace
