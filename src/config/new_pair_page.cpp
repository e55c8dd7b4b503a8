#include "config/new_pair_page.h"

#include "app/program.h"
#include "config/pairing_controls.h"
#include "link/trace.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace interlock {

NewPairPage::NewPairPage(Program& program, NewPairForm form, QWidget* parent)
    : QDialog(parent), program_(program), form_(form) {
    setWindowTitle(QStringLiteral("NEW PAIR"));
    QPalette red = palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        red.setColor(role, QColor(255, 0, 0));
    setPalette(red);
    auto* layout = new QVBoxLayout(this);
    for (const QString& line : {QStringLiteral("All data will be reset and new pairing mode"),
                                QStringLiteral("will be activated if you press ok.")})
        layout->addWidget(new QLabel(line, this));
    if (form == NewPairForm::Part2) {
        deleteAll_ = new QCheckBox(QStringLiteral("Delete All Data in Control Unit"), this);
        deleteAll_->setAccessibleName(deleteAll_->text());
        layout->addWidget(deleteAll_);
    }
    const auto [ok, cancel] =
        addButtonRow(*layout, QStringLiteral("OK"), QStringLiteral("CANCEL"), this);
    connect(ok, &QPushButton::clicked, this, &NewPairPage::onOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace(form_ == NewPairForm::Part1 ? "OnBnClickedButtonNewPairCancelPart1\r\n"
                                          : "OnBnClickedButtonNewPairCancelPart2\r\n");
        reject();
    });
}

void NewPairPage::onOk() {
    const bool deleteAll = deleteAll_ && deleteAll_->isChecked();
    acceptUnless(*this, program_.prompter(), newPairOk(form_, deleteAll, program_.requester()));
}

CNew_Pair_Part1::CNew_Pair_Part1(Program& program, QWidget* parent)
    : NewPairPage(program, NewPairForm::Part1, parent) {}

CNew_Pair_Part2::CNew_Pair_Part2(Program& program, QWidget* parent)
    : NewPairPage(program, NewPairForm::Part2, parent) {}

} // namespace interlock
