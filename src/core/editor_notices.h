#pragma once

#include <cstdint>

// The authoring tool's window, told when a test play starts and ends.
inline constexpr const char* kEditorWindowClass = "Kestrel4_Editor";
inline constexpr const char* kEditorWindowTitle = "ケストレル4";

// The longest the program waits for the tool to take a notice; a tool that hangs must not
// hang the program with it.
inline constexpr std::uint32_t kEditorNoticeLimitMs = 5000;

// Start: kind 1, value 1, once the main window exists and before the start-up sequence.
void NotifyEditorStart();
// End: kind 0 with 1 after a normal close, 0 when the start-up failed.
void NotifyEditorEnd(int value);
