#include "calib/calibration_message_page.h"

#include "app/page_controls.h"
#include "app/page_support.h"
#include "app/program.h"
#include "calib/calibration_result.h"

#include <QApplication>
#include <QPointer>
#include <QVBoxLayout>

namespace interlock {

CCalibration_Message::CCalibration_Message(Program& program, QWidget* parent)
    : QDialog(parent), program_(program), text_(new QLabel(this)),
      ok_(plainButton(QStringLiteral("O K"), this)) {
    const ResultLook look = calibrationResultLook(program_.state());
    const QString text =
        QString::fromUtf8(look.text.data(), static_cast<qsizetype>(look.text.size()));
    text_->setText(text);
    text_->setAccessibleName(text);
    text_->setWordWrap(true);
    text_->setMinimumWidth(420);
    setPixelFont(*text_, look.fontHeight);
    QPalette palette = text_->palette();
    palette.setColor(QPalette::WindowText, look.colour == ResultColour::Blue ? Qt::blue : Qt::red);
    text_->setPalette(palette);
    ok_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    connect(ok_, &QPushButton::clicked, this, [this] {
        okPressed_ = true;
        accept();
    });
}

void CCalibration_Message::done(int result) {
    calibrationResultClosed(program_.state(), okPressed_);
    QDialog::done(result);
}

void showCalibrationResult(Program& program) {
    const QPointer<QWidget> under = QApplication::activeModalWidget();
    CCalibration_Message result(program, under);
    runPage(result);
    if (auto* page = qobject_cast<QDialog*>(under.data()); page && page->isVisible())
        page->reject();
}

} // namespace interlock
