#include "firmware/firmware_check_page.h"

#include "app/page_controls.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace interlock {

CFirmware_Check::CFirmware_Check(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Dialog"));
    auto* label = new QLabel(QStringLiteral("The device and PC program have the different software "
                                            "version. Please update the device to the latest "
                                            "version of software."),
                             this);
    label->setWordWrap(true);
    setHeavyFont(*label, 20);
    auto* ok = new QPushButton(QStringLiteral("O K"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setMinimumWidth(480);
}

} // namespace interlock
