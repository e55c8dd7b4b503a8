#include "app/software_page.h"

#include "app/main_menu_logic.h"
#include "app/program.h"
#include "link/trace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace interlock {

CSoftware::CSoftware(Program& program, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("SOFTWARE"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QString::fromStdString(softwareTargetText(program.state())), this));
    layout->addWidget(new QLabel(QStringLiteral("if you press ok."), this));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("CANCEL"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this, &program] {
        softwareOk(program.requester());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonSoftwareCancel\r\n");
        reject();
    });
}

} // namespace interlock
