#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/record_base.h"

// One System.ini key row of the system data: the key name of one setting and its default.
// The rows are used by position; bText tells whether the default is the text strValue (the
// stage to play at once) or the number nValue.
class cSysOption : public cData {
 public:
  cSysOption();
  cSysOption(const cSysOption&) = default;
  cSysOption& operator=(const cSysOption&) = default;

  void RegisterFields(std::int32_t version) override;

  // A number row; the text value stays as it was.
  void Set(std::string_view key, std::int32_t number);
  // A text row; the number stays as it was.
  void SetText(std::string_view key, std::string_view text);

  std::int32_t bText = 0;
  std::int32_t nValue = 0;
  std::string strKey;
  std::string strValue;
};
