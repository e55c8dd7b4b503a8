#pragma once

#include "review/review_summary.h"

#include <QJsonObject>

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace interlock::cli {

// A job's result on standard output. For people: a caption and its value a line,
// the values lined up. With --json: one JSON object on one line.
void printRows(const std::vector<review::SummaryRow>& rows);
void printJson(const QJsonObject& object);
void printLine(std::string_view line);
void printText(std::string_view text);

// The first failure to write standard output (a full disk, a closed pipe); none
// when all that was printed reached it.
std::error_code outputError();

// Bytes as the interlock sent them (serial numbers) for a JSON string: each byte one
// character, as the export file has them.
QString bytesText(std::string_view bytes);
// The same bytes for a terminal: control bytes (a zero padding) shown as dots.
std::string shownBytes(std::string_view bytes);

} // namespace interlock::cli
