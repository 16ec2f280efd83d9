// SDL started for the life of the host, with whatever parts the machine has.
#pragma once

namespace host::sdl {

class SdlSession {
 public:
  // Starts events, video and joysticks. A part that cannot start (no display,
  // no joystick support) is left out; the others still work.
  SdlSession();
  ~SdlSession();
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;

  bool events() const { return events_; }
  bool video() const { return video_; }
  bool joysticks() const { return joysticks_; }

 private:
  bool events_ = false;
  bool video_ = false;
  bool joysticks_ = false;
};

}  // namespace host::sdl
