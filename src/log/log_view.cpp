#include "log/log_view.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTextCursor>

namespace interlock {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMaximumBlockCount(0);
    // Columns are separated by tabs: a fixed-pitch face with tab stops every eight
    // characters keeps the rows aligned whatever their time and value widths.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(fixed);
    setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')) * 8);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushMs);
    connect(&flushTimer_, &QTimer::timeout, this, &LogView::flush);
}

void LogView::queue(std::string_view screenText) {
    queued_.append(screenText);
    if (!flushTimer_.isActive())
        flushTimer_.start();
}

void LogView::flush() {
    flushTimer_.stop();
    if (queued_.empty())
        return;
    // The bytes go in as received, in the system's code page; "\r\n" ends one line.
    const QString text =
        QString::fromLocal8Bit(queued_.data(), static_cast<qsizetype>(queued_.size()));
    queued_.clear();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}

void LogView::clearAll() {
    flushTimer_.stop();
    queued_.clear();
    clear();
}

} // namespace interlock
