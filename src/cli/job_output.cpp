#include "cli/job_output.h"

#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

namespace interlock::cli {

void printRows(const std::vector<review::SummaryRow>& rows) {
    std::size_t width = 0;
    for (const review::SummaryRow& row : rows)
        width = std::max(width, row.caption.size());
    for (const review::SummaryRow& row : rows) {
        const std::string caption = row.caption + ":";
        std::printf("%-*s %s\n", static_cast<int>(width + 1), caption.c_str(), row.value.c_str());
    }
    std::fflush(stdout);
}

void printJson(const QJsonObject& object) {
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void printLine(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString bytesText(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string shownBytes(std::string_view bytes) {
    std::string shown(bytes);
    std::replace_if(
        shown.begin(), shown.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '.');
    return shown;
}

} // namespace interlock::cli
