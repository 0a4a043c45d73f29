#pragma once

// Where a key pressed in an open dialog goes. The rules stand where the keyboard hook's did:
// the input method keeps its keys while it composes (Return included, and a Return that
// arrives with the commit ending a composition), an edit field takes its editing keys (Ctrl
// with them: paste, select all), and the dialog takes the rest (Tab, Return, Escape, the
// arrows between controls, Space on a button).
enum class KeyRoute { InputMethod, Edit, Dialog };

struct cHook {
  static KeyRoute Route(int virtualKey, bool editFocused, bool composing, bool compositionInBatch);
};
