#pragma once

#include <functional>
#include <string_view>

namespace platform {

// The layer has no log of its own: what it has to tell (a failed backend, a headless
// message box) goes to the sink that the application core connects to its report log.
// Texts are CP932, like every text of the game.
using DiagnosticSink = std::function<void(std::string_view cp932Text)>;
void SetDiagnosticSink(DiagnosticSink sink);
void ReportDiagnostic(std::string_view cp932Text);

}  // namespace platform
