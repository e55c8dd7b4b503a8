#include "app/user_delete_page.h"

#include "app/form_fields.h"
#include "app/program.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QPushButton>

namespace interlock {

namespace {
constexpr int kPageHeight = 500;
constexpr int kNumWidth = 50;
constexpr int kIdWidth = 242;

QTableWidgetItem* centred(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

CUser_Delete_Dlg::CUser_Delete_Dlg(Program& program, UserAccounts& accounts, QWidget* parent)
    : QDialog(parent), program_(program), accounts_(accounts) {
    setWindowTitle(QStringLiteral("User List"));
    list_ = new QTableWidget(static_cast<int>(kUserSlots), 2, this);
    list_->setAccessibleName(QStringLiteral("User List"));
    list_->setHorizontalHeaderLabels({QStringLiteral("Num"), QStringLiteral("ID")});
    list_->setColumnWidth(0, kNumWidth);
    list_->setColumnWidth(1, kIdWidth);
    list_->verticalHeader()->hide();
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* form = new QFormLayout(this);
    form->addRow(list_);
    masterCode_ = addEditRow(*form, QStringLiteral("Master Code"), true, this);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("O K"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &CUser_Delete_Dlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &CUser_Delete_Dlg::onCancel);
    connect(list_, &QTableWidget::currentCellChanged, this,
            [this](int row) { selectedRow_ = row < 0 ? kNoRowSelected : row; });

    const QWidget* loginWindow = parent ? parent->window()->parentWidget() : nullptr;
    resize(loginWindow ? loginWindow->width() : width(), kPageHeight);
    fillList();
    selectedRow_ = kNoRowSelected;
}

void CUser_Delete_Dlg::fillList() {
    const QSignalBlocker quiet(list_);
    list_->clearSelection();
    for (std::size_t slot = 0; slot < kUserSlots; ++slot) {
        const int row = static_cast<int>(slot);
        list_->setItem(row, 0, centred(QString::number(row + 1)));
        list_->setItem(row, 1, centred(QString::fromStdString(accounts_.table()[slot].name)));
    }
    list_->setCurrentCell(-1, -1);
}

void CUser_Delete_Dlg::onOk() {
    const DeleteVerdict verdict =
        accounts_.deleteAccount(selectedRow_, masterCode_->text().toStdString());
    if (verdict.clearMasterCode)
        masterCode_->clear();
    if (verdict.deleted) {
        fillList();
        selectedRow_ = kNoRowSelected;
    }
    if (!verdict.message.empty())
        program_.prompter().message(verdict.message);
    else if (verdict.deleted && !verdict.fileSaved)
        program_.prompter().message("The user file could not be written.",
                                    accounts_.file().string());
}

void CUser_Delete_Dlg::onCancel() {
    selectedRow_ = kNoRowSelected;
    masterCode_->clear();
    reject();
}

} // namespace interlock
