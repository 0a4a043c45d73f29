#pragma once

#include <atomic>
#include <cstdint>

#include "platform/window_messages.h"

// The game side's requests to the main window: the game thread (or a display thread) sends
// one and is blocked until the main thread has served it. Each answers 0.
inline constexpr std::uint32_t kRequestNameDialog = 1025;     // ranking-name dialog
inline constexpr std::uint32_t kRequestOpenStage = 1026;      // choose and play a stage file
inline constexpr std::uint32_t kRequestOpenReplay = 1027;     // choose and load a replay file
inline constexpr std::uint32_t kRequestSaveReplay = 1028;     // wParam: replay buffer 0 or 1
inline constexpr std::uint32_t kRequestSound = 1029;          // wParam: sound id
inline constexpr std::uint32_t kRequestMusic = 1030;          // wParam: usage slot 0-4, lParam: music number
inline constexpr std::uint32_t kRequestRecoverDevice = 1124;  // the lost drawing device

// Set by the main thread when a request has finished; the sender clears its flag first.
extern std::atomic<int> NameDialogDone;
extern std::atomic<int> FileDialogDone;
// Whether a file request chose a file and acted on it successfully.
extern std::atomic<int> FileDialogResult;

bool IsGameRequest(std::uint32_t message);

// The main window hands every request to the handler the program installs. Without one a
// request is finished unserved: the sender's done flag is set at once (a file request as
// cancelled) and the answer is 0, so no sender waits for a request nobody serves.
using GameRequestHandler = std::intptr_t (*)(const platform::Message& message);
void SetGameRequestHandler(GameRequestHandler handler);
// Main thread.
std::intptr_t HandleGameRequest(const platform::Message& message);

// The sender's side. A send returns 0 at once once the program is closing.
std::intptr_t SendToMainWindow(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
// Polls the flag every millisecond until it is set; false when the program is closing or the
// waiting thread is asked to stop first (the request will then never finish).
bool WaitForDoneFlag(const std::atomic<int>& flag);
// Requests 1026 to 1028 as their senders make them: FileDialogResult, or 0 when the wait
// ended without an answer.
int RequestFileDialog(std::uint32_t message, std::uintptr_t wParam = 0);
// Request 1025; false when the wait ended without the dialog having closed.
bool RequestNameDialog();
