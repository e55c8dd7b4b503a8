#include "cli/job_output.h"

#include <QJsonDocument>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace interlock::cli {

namespace {
std::error_code firstOutputError;
} // namespace

void printText(std::string_view text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if ((!written || std::fflush(stdout) != 0) && !firstOutputError)
        firstOutputError = {errno ? errno : EIO, std::generic_category()};
}

void printLine(std::string_view line) {
    printText(std::string(line) + "\n");
}

void printRows(const std::vector<review::SummaryRow>& rows) {
    std::size_t width = 0;
    for (const review::SummaryRow& row : rows)
        width = std::max(width, row.caption.size());
    std::string text;
    for (const review::SummaryRow& row : rows) {
        const std::string caption = row.caption + ":";
        text += caption + std::string(width + 2 - caption.size(), ' ') + row.value + "\n";
    }
    printText(text);
}

void printJson(const QJsonObject& object) {
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    printLine(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

std::error_code outputError() {
    return firstOutputError;
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
