#pragma once

#include "config/test_page_fields.h"
#include "link/civil_time.h"
#include "link/program_state.h"
#include "link/requester.h"

#include <string>
#include <string_view>

namespace interlock {

inline constexpr int kWholeReadWaitMs = 1000;
// The page closes as soon as the interlock has answered the whole write, or after
// this long without an answer.
inline constexpr int kWholeWriteAnswerWaitMs = 1000;
inline constexpr std::string_view kTestSerialMessage = "시리얼 번호 입력 확인 할 것!!!";

// Before the page opens: reads the whole record (the pause ends once it is stored)
// and takes the page request back. Empty when the record was read, else the message
// to show instead of the page, which writes every record back.
std::string openTestPage(Requester& requester);

// Every control filled from the records as they now stand.
TestPageFields testPageFields(const ProgramState& state);

// Write: stores every control into the records, then sends the whole record. Empty
// when it was written, else the message to show: a serial number is not eight
// characters (the records keep what was stored before that check and nothing is
// sent), or the interlock refused the write.
std::string testPageWrite(const TestPageFields& fields, const CivilTime& utcNow,
                          Requester& requester);

} // namespace interlock
