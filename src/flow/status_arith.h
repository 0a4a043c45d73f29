#pragma once

#include <cstdint>

class cEdCondition;

// The typed arithmetic of statuses: each works at the width the status is stored in (the
// operand first cut to it) and clamps the result to the status's range. Operations: 0 "=",
// 1 "+", 2 "-" (wrapping at the width), 3 "*" (overflow gives the range's end), 4 "/" and
// 5 "%" (by 0 nothing), 6 percent; any other changes nothing but the clamp.
void ApplyStatusOp32(std::int32_t& field, std::int32_t a, int op, std::int32_t low, std::int32_t high);
void ApplyStatusOp16(std::int16_t& field, std::int32_t a, int op, std::int32_t low, std::int32_t high);
void ApplyStatusOp8(std::int8_t& field, std::int32_t a, int op, std::int32_t low, std::int32_t high);

// The comparison codes of CompareByOp on values cut to 16 and 8 bits.
bool CompareByOp16(std::int32_t a, std::int32_t b, int op);
bool CompareByOp8(std::int32_t a, std::int32_t b, int op);
// a x b / 100 rounded half away from zero, on values cut to the width.
std::int32_t PercentOf16(std::int32_t a, std::int32_t b);
std::int32_t PercentOf8(std::int32_t a, std::int32_t b);

// A status against the condition's constant by its operator; with the condition's percent
// byte the constant is first taken as a percentage of `maximum`, clamped to low..high.
bool CompareStatus32(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                     std::int32_t high);
bool CompareStatus16(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                     std::int32_t high);
bool CompareStatus8(std::int32_t value, std::int32_t maximum, const cEdCondition& condition, std::int32_t low,
                    std::int32_t high);
