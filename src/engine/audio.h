#pragma once
// Sounds and the channels they play on. Sounds are whole Ogg Vorbis files decoded into
// memory; channels are the voices that play them. Audio opens by itself on first use.
// A machine without a sound device plays silently: sounds still load and channels
// still report playing for as long as the sound would last, so the game behaves the
// same with or without speakers.

#include <memory>
#include <string>

class TChannel;
class TSound;

using SoundPtr = std::shared_ptr<TSound>;
using ChannelPtr = std::shared_ptr<TChannel>;

// Sound load flags.
enum SoundFlags : int {
  SOUND_LOOP = 1,  // plays until stopped
};

// Opens the sound device when it is not open yet; false when the game runs silently.
// A failed attempt is not repeated until closeAudio().
bool openAudio();
// Stops every channel and closes the device. Sounds loaded so far stay valid but play
// silently; the next use opens the device again.
void closeAudio();
// True while a device is open (false before the first use and when running silently).
bool audioDeviceOpen();
// Test hook: while set, opening audio behaves as if no device existed. Call it before
// the device is opened (after closeAudio()).
void forceNoAudioDevice(bool force);

// A fresh channel that plays nothing yet.
ChannelPtr allocChannel();

class TSound {
 public:
  ~TSound();
  TSound(const TSound&) = delete;
  TSound& operator=(const TSound&) = delete;

  // Decodes a mono or stereo Ogg Vorbis file; null (and one line on stderr) when the
  // file is missing or not a readable sound. flags: SoundFlags.
  static SoundPtr load(const std::string& path, int flags = 0);

  // Plays from the start on `channel` (stopping what it played) or on a new channel.
  ChannelPtr play(ChannelPtr channel = nullptr);
  // Like play, but leaves the channel paused so volume and rate can be set before
  // setPaused(false) starts it.
  ChannelPtr cue(ChannelPtr channel = nullptr);

  int lengthMs() const { return lengthMs_; }
  bool looping() const { return (flags_ & SOUND_LOOP) != 0; }

 private:
  friend class TChannel;
  friend void closeAudio();
  TSound() = default;
  ChannelPtr start(ChannelPtr channel, bool paused);

  int flags_ = 0;
  int lengthMs_ = 0;
  unsigned buffer_ = 0;  // device buffer; 0 when the sound plays silently
};

// One voice. A channel keeps its volume, pan, depth and rate from sound to sound.
// Dropping the last reference to a playing channel lets its sound play to the end;
// a dropped channel that is paused or cued is stopped, since nothing could resume it.
class TChannel {
 public:
  TChannel() = default;
  ~TChannel();
  TChannel(const TChannel&) = delete;
  TChannel& operator=(const TChannel&) = delete;

  void stop();
  // Pauses or resumes; resuming a cued channel starts it. No effect once stopped.
  void setPaused(bool paused);
  void setVolume(float volume);  // 0..1
  // -1 left .. 1 right. Applies to mono sounds; stereo sounds keep their own image.
  void setPan(float pan);
  // 1 in front (the default 0 sounds the same) .. -1 behind. Mono sounds only.
  void setDepth(float depth);
  void setRate(float rate);  // playback speed and pitch, 1 normal; kept within 1/64..64

  // True from play or cue until the sound ends or is stopped. A paused channel counts
  // as playing: it still holds its sound and can be resumed.
  bool playing();
  bool paused();

  float volume() const { return volume_; }
  float pan() const { return pan_; }
  float depth() const { return depth_; }
  float rate() const { return rate_; }

 private:
  friend class TSound;
  void begin(const TSound& sound, bool paused);
  bool ownsVoice() const;
  void applySettings() const;
  double silentElapsedMs() const;

  float volume_ = 1.0f;
  float pan_ = 0.0f;
  float depth_ = 0.0f;
  float rate_ = 1.0f;
  bool paused_ = false;

  // A voice from the device's pool, valid while the pool still hands it to this channel.
  int voice_ = -1;
  unsigned long long ticket_ = 0;

  // Silent playback follows the clock instead of a device voice.
  bool silent_ = false;
  bool silentStopped_ = true;
  bool silentLoop_ = false;
  int silentLengthMs_ = 0;
  double silentDoneMs_ = 0.0;    // sound time played before silentSince_
  long long silentSince_ = 0;    // clock time of the last resume or rate change
};
