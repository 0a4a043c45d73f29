#pragma once

#include <string_view>

namespace platform {

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { None, Error, Warning, Information, Question };
enum class BoxAnswer { Ok, Yes, No };

// Shows a modal box; text and caption are CP932. Headless (or when no box can be shown)
// the caption and text go to the diagnostic sink and the scripted answer comes back:
// KESTREL_BOX_ANSWER=no answers No, anything else Yes (Ok for an Ok box).
BoxAnswer ShowMessageBox(std::string_view cp932Text, std::string_view cp932Caption, BoxButtons buttons,
                         BoxIcon icon);

}  // namespace platform
