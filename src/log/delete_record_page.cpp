#include "log/delete_record_page.h"

#include "app/page_controls.h"
#include "link/trace.h"
#include "log/delete_confirm_page.h"

#include <QVBoxLayout>

namespace interlock {

CDelete_Record_Part1::CDelete_Record_Part1(Program& program, QWidget* parent)
    : QDialog(parent), program_(program),
      deleteLog_(plainButton(QStringLiteral("DELETE LOG"), this)) {
    setWindowTitle(QStringLiteral("DELETE RECORD"));
    deleteLog_->setMinimumSize(220, 56);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(deleteLog_);
    connect(deleteLog_, &QPushButton::clicked, this, &CDelete_Record_Part1::onDeleteLog);
}

void CDelete_Record_Part1::onDeleteLog() {
    trace("OnBnClickedButtonDelRecordEarlyService\r\n");
    CDelete_Record_Confirm_Part1 confirmation(program_, this);
    if (confirmDelete(confirmation))
        accept();
}

} // namespace interlock
