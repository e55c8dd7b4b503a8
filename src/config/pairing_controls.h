#pragma once

#include <QString>

#include <functional>
#include <string>
#include <utility>

class QBoxLayout;
class QDialog;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace interlock {

class Prompter;
struct PinPageVerdict;

// Controls shared by the option, override, PIN, pairing and test pages.

// An edit box named `caption` for screen readers, behind a label with that caption
// at (`row`, 0) of `grid`; `maxLength` 0 leaves the length free.
QLineEdit* addEditRow(QGridLayout& grid, int row, const QString& caption, int maxLength,
                      QWidget* parent);
// A read-only field the program fills, named `caption`, behind a label with it.
QLineEdit* addValueRow(QGridLayout& grid, int row, const QString& caption, QWidget* parent);

// Empties `edit` whenever it holds a character that is not a digit, then calls
// `changed` (if given) as the page reads its fields on every change.
void filterDigits(QLineEdit& edit, std::function<void()> changed = {});

// The two buttons at the bottom right of a page, Enter pressing neither.
std::pair<QPushButton*, QPushButton*> addButtonRow(QBoxLayout& layout, const QString& ok,
                                                   const QString& cancel, QWidget* parent);

// Shows `problem` and keeps `page` open; closes it with Accepted when there is none.
void acceptUnless(QDialog& page, Prompter& prompter, const std::string& problem);
// The same for an OVERRIDE or PIN CODE verdict, after putting its texts back into
// `time` (when the page has one) and `pin`.
void applyPinVerdict(const PinPageVerdict& verdict, QLineEdit* time, QLineEdit& pin, QDialog& page,
                     Prompter& prompter);

// Record texts (serial numbers, digits) are bytes; each byte is one character.
QString textOfBytes(const std::string& bytes);
std::string bytesOfText(const QString& text);

} // namespace interlock
