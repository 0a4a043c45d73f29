#pragma once

#include <functional>

// The orderly end of the program from any thread is a close request to the main window.
// Until the main window exists (and in tests) the requests go to whatever sink is connected.
using CloseRequestSink = std::function<void()>;
void SetCloseRequestSink(CloseRequestSink sink);
void PostCloseRequest();
