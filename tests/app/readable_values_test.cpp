// What a page shows, a screen reader can read: every page opened against
// interlock-sim, its accessible tree walked, and each visible label, edit and list
// checked to report the text on screen as its accessible name or value; and every
// control has a name to be found by.
#include "app/main_menu_page.h"
#include "app/register_page.h"
#include "app/software_change_page.h"
#include "app/software_page.h"
#include "app/user_delete_page.h"
#include "calib/calibration_main_page.h"
#include "calib/calibration_message_page.h"
#include "calib/calibration_time_page.h"
#include "calib/diagnostic_pages.h"
#include "calib/dry_gas_page.h"
#include "config/new_pair_page.h"
#include "config/optional_feature_page.h"
#include "config/override_page.h"
#include "config/pairing_logic.h"
#include "config/pairing_page.h"
#include "config/pin_code_page.h"
#include "config/serial_number_page.h"
#include "config/settings_part1_page.h"
#include "config/settings_part2_page.h"
#include "config/test_page_dialog.h"
#include "connected_program.h"
#include "firmware/firmware_check_page.h"
#include "firmware/firmware_update_page.h"
#include "link/codes.h"
#include "log/delete_confirm_page.h"
#include "log/delete_record_page.h"
#include "log/download_page.h"
#include "page_fixture.h"
#include "page_script.h"
#include "review/review_window.h"
#include "written_export.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <fstream>
#include <optional>

using namespace interlock;
using namespace interlock::testing;

namespace {

constexpr int kSettleMs = 5000;

QString labelText(const QLabel& label) {
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    if (!rich)
        return label.text();
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

// The text `object` shows, when it is a label, an edit or a list; nothing for a
// password box, whose text is not for reading out.
std::optional<QString> shownText(const QObject* object) {
    if (const auto* label = qobject_cast<const QLabel*>(object))
        return labelText(*label);
    if (const auto* edit = qobject_cast<const QLineEdit*>(object)) {
        if (edit->echoMode() != QLineEdit::Normal)
            return std::nullopt;
        return edit->text();
    }
    if (const auto* list = qobject_cast<const QComboBox*>(object))
        return list->currentText();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(object))
        return text->toPlainText();
    if (const auto* text = qobject_cast<const QTextEdit*>(object))
        return text->toPlainText();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(object))
        return spin->text();
    return std::nullopt;
}

// Walks the accessible tree from `node`: each visible label, edit or list whose
// accessible name and value both differ from the text it shows.
void collectUnreadable(QAccessibleInterface* node, const QString& page, QStringList& unreadable) {
    if (!node || !node->isValid() || node->state().invisible)
        return;
    if (const std::optional<QString> shown = shownText(node->object())) {
        const QString name = node->text(QAccessible::Name);
        const QString value = node->text(QAccessible::Value);
        if (name != *shown && value != *shown)
            unreadable << QStringLiteral("%1: %2 shows \"%3\", read as \"%4\" / \"%5\"")
                              .arg(page,
                                   QString::fromLatin1(node->object()->metaObject()->className()),
                                   *shown, name, value);
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectUnreadable(node->child(i), page, unreadable);
}

bool isControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractItemView*>(widget);
}

// Inner parts of a list or combo box (header buttons, the combo's own edit).
bool isPartOfAnotherControl(const QWidget* widget, const QWidget* page) {
    for (const QWidget* up = widget->parentWidget(); up && up != page; up = up->parentWidget())
        if (isControl(up) || qobject_cast<const QAbstractScrollArea*>(up))
            return true;
    return false;
}

QStringList unnamedControls(const QWidget& page) {
    QStringList unnamed;
    for (const QWidget* widget : page.findChildren<QWidget*>()) {
        if (!isControl(widget) || isPartOfAnotherControl(widget, &page))
            continue;
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (widget->accessibleName().isEmpty() && (!button || button->text().isEmpty()))
            unnamed << page.windowTitle() + ": " + widget->metaObject()->className();
    }
    return unnamed;
}

QStringList unreadableOnShown(QWidget& page) {
    QStringList unreadable;
    collectUnreadable(QAccessible::queryAccessibleInterface(&page), page.windowTitle(), unreadable);
    return unreadable << unnamedControls(page);
}

// Shows `page`, waits until it shows what it read (`ready`), walks it and closes it.
QStringList unreadableOn(QWidget& page, const std::function<bool()>& ready = {}) {
    page.show();
    QStringList unreadable;
    if (ready && !QTest::qWaitFor(ready, kSettleMs))
        unreadable << page.windowTitle() + QStringLiteral(": never showed what it read");
    QCoreApplication::processEvents();
    unreadable << unreadableOnShown(page);
    page.close();
    return unreadable;
}

template <class Page, class... Args> QStringList unreadableOnNew(Args&&... args) {
    Page page(std::forward<Args>(args)...);
    return unreadableOn(page);
}

// The state has taken another answer of this kind.
std::function<bool()> anotherAnswer(const ProgramState& state, std::uint8_t response) {
    return [&state, response, before = state.answersReceived[response]] {
        return state.answersReceived[response] > before;
    };
}

std::filesystem::path writeExport(const std::filesystem::path& folder) {
    ServedLog served;
    served.events = {event(2026, 3, 1, 6, 0, 0, 0x27, 0x0500),
                     event(2026, 3, 1, 6, 1, 0, 0x12, 900)};
    const auto file = folder / "260301-090000-AB12.csv";
    std::ofstream(file, std::ios::binary) << writtenExport(served);
    return file;
}

} // namespace

class ReadableValuesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyValueAPageShowsIsReadable();
};

void ReadableValuesTest::everyValueAPageShowsIsReadable() {
    ScratchFolder folder("readable-values");
    PageFixture fixture;
    const auto window = fixture.openWindow({}, false, true);
    Program& program = window->program();
    sim::SimProcess sim;
    QVERIFY(linkToSimulator(sim, {"--no-pacing"}, program));
    const ProgramState& state = program.state();
    Requester& requester = program.requester();
    // The records the pages show, read as the menus read them before opening one.
    runCommandReads(MenuCommand::Part2Settings, requester);
    runCommandReads(MenuCommand::Part2Pairing, requester);
    {
        // The identity answer asks for a main menu, as after a connect: not here.
        const QSignalBlocker noPageRequests(program);
        pairingSerialNumber(requester);
        program.state().dlg_enum = PageRequest::None;
    }
    // A page that shows up on its own (a version notice, a launched page) fails the test.
    PageScript unexpected;

    std::string altitude;
    QStringList unreadable;
    unreadable << unreadableOnShown(*window) << unreadableOn(window->connectPage());
    unreadable << unreadableOnNew<CRegister_Dlg>(program, window->accounts(), nullptr)
               << unreadableOnNew<CUser_Delete_Dlg>(program, window->accounts(), nullptr);
    for (const bool part1 : {true, false}) {
        std::unique_ptr<QWidget> menu;
        if (part1)
            menu = std::make_unique<CMain_Part1>(program, nullptr);
        else
            menu = std::make_unique<CMain_Part2>(program, nullptr);
        unreadable << unreadableOn(*menu, anotherAnswer(state, response::TE_INFO));
    }
    {
        CDiagnostic_Part1 part1(program, nullptr);
        unreadable << unreadableOn(part1, anotherAnswer(state, response::TE_DIAGNOSIS));
        CDiagnostic_Part2 part2(program, nullptr);
        unreadable << unreadableOn(part2, anotherAnswer(state, response::TE_DIAGNOSIS));
    }
    unreadable << unreadableOnNew<CSoftware_Change>(program, nullptr)
               << unreadableOnNew<CSoftware>(program, nullptr)
               << unreadableOnNew<CCalibration_Main>(program, altitude, nullptr)
               << unreadableOnNew<CCalibration_DryGas>(program, DryGasMode::Calibrate, altitude,
                                                       nullptr)
               << unreadableOnNew<CCalibration_Message>(program, nullptr)
               << unreadableOnNew<CCalibration_Time>(program, nullptr)
               << unreadableOnNew<CDownLoad_Part2>(program, folder.path, nullptr, LogReviewOpener{})
               << unreadableOnNew<CDelete_Record_Part1>(program, nullptr)
               << unreadableOnNew<CDelete_Log_Part2>(program, nullptr)
               << unreadableOnNew<CDelete_Record_Confirm_Part1>(program, nullptr)
               << unreadableOnNew<CSetting_Part1>(program, nullptr)
               << unreadableOnNew<CSetting_Part2>(program, nullptr)
               << unreadableOnNew<COptional_Feature_Part1>(program, nullptr)
               << unreadableOnNew<COptional_Feature_Part2>(program, nullptr)
               << unreadableOnNew<COverride>(program, nullptr)
               << unreadableOnNew<CPin_Code>(program, nullptr)
               << unreadableOnNew<CPairing>(program, nullptr)
               << unreadableOnNew<CSerial_Number>(program, nullptr)
               << unreadableOnNew<CNew_Pair_Part1>(program, nullptr)
               << unreadableOnNew<CNew_Pair_Part2>(program, nullptr)
               << unreadableOnNew<CTest_Dlg>(program, nullptr)
               << unreadableOnNew<CFirmware_Update>(program, nullptr)
               << unreadableOnNew<CFirmware_Check>(nullptr);
    review::CLog_Review review(fixture.prompter, nullptr);
    QVERIFY(review.open(writeExport(folder.path)));
    unreadable << unreadableOn(review, [&review] { return review.isFilled(); });

    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QLatin1Char('\n'))));
    QVERIFY2(unexpected.finished(), qPrintable(unexpected.failure()));
    QVERIFY(fixture.prompter.messages.isEmpty());
}

int runReadableValuesTest(int argc, char* argv[]) {
    ReadableValuesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "readable_values_test.moc"
