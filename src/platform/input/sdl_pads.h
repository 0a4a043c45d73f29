#pragma once

#include <SDL.h>

#include <vector>

namespace platform {

// The joysticks SDL sees, opened and closed as they come and go (on the main thread, where
// SDL's events arrive), with one reading each published per pass for the game thread.
class SdlPads {
 public:
  ~SdlPads() { Close(); }
  // Starts SDL's joystick and game-controller support; pads present now arrive as events.
  bool Open();
  void Close();
  void OnEvent(const SDL_Event& event);
  void Publish() const;

 private:
  struct Pad {
    SDL_JoystickID instance = -1;
    int id = -1;
    SDL_Joystick* joystick = nullptr;
    SDL_GameController* controller = nullptr;
  };
  void Add(int deviceIndex);
  void Remove(SDL_JoystickID instance);

  std::vector<Pad> pads_;
  bool open_ = false;
};

}  // namespace platform
