#include "app/main_window.h"

#include "app/input_blocker.h"
#include "app/main_menu_page.h"
#include "app/page_controls.h"
#include "app/page_support.h"
#include "app/register_page.h"
#include "app/software_change_page.h"
#include "link/local_time.h"
#include "link/trace.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QTimer>
#include <ctime>

namespace interlock {

namespace {
constexpr int kLauncherTraceNumber = 195;
// The login fonts are as heavy as a font gets (weight 1000 of 1000).
constexpr auto kHeaviest = QFont::Weight(1000);

QFont loginFont(const QFont& base) {
    QFont font = base;
    font.setPixelSize(30);
    font.setWeight(kHeaviest);
    font.setItalic(true);
    return font;
}
} // namespace

CQuenlix_InterlockDlg::CQuenlix_InterlockDlg(Prompter& prompter, RunOptions options,
                                             QWidget* parent)
    : QDialog(parent), program_(prompter, options.pauser), accounts_(std::move(options.userFile)),
      connectPage_(
          std::make_unique<CPC_Connect_Dlg>(program_, std::move(options.extraPorts), this)),
      simulated_(options.simulated) {
    program_.holdDuringWaits([] { return std::make_unique<InputBlocker>(); });
    buildControls();
    initialise();
}

CQuenlix_InterlockDlg::~CQuenlix_InterlockDlg() = default;

void CQuenlix_InterlockDlg::buildControls() {
    setWindowTitle(simulated_ ? QStringLiteral("Interlock PC Program (simulated interlock)")
                              : QStringLiteral("Interlock PC Program"));
    userName_ = new QLineEdit(this);
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    for (QLineEdit* edit : {userName_, password_})
        edit->setMaxLength(static_cast<int>(kUserFieldMax));
    QLabel* userLabel = captionFor(*userName_, QStringLiteral("USER NAME"), this);
    QLabel* passwordLabel = captionFor(*password_, QStringLiteral("PASSWORD"), this);
    ok_ = new QPushButton(QStringLiteral("O K"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    register_ = new QPushButton(QStringLiteral("Register"), this);
    fwUpdateMode_ = new QCheckBox(QStringLiteral("FW Update Mode"), this);
    productLabel_ = new QLabel(this);
    brandLabel_ = new QLabel(this);
    spareLabel_ = new QLabel(this);
    ok_->setDefault(true);

    const QFont font = loginFont(this->font());
    for (QWidget* widget : {static_cast<QWidget*>(userLabel), static_cast<QWidget*>(passwordLabel),
                            static_cast<QWidget*>(userName_), static_cast<QWidget*>(password_)})
        widget->setFont(font);

    auto* grid = new QGridLayout(this);
    auto* brand = new QHBoxLayout;
    brand->addWidget(productLabel_);
    brand->addWidget(brandLabel_);
    brand->addWidget(spareLabel_);
    brand->addStretch();
    grid->addLayout(brand, 0, 0, 1, 3);
    grid->addWidget(userLabel, 1, 0);
    grid->addWidget(userName_, 1, 1, 1, 2);
    grid->addWidget(passwordLabel, 2, 0);
    grid->addWidget(password_, 2, 1, 1, 2);
    grid->addWidget(fwUpdateMode_, 3, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(register_);
    grid->addLayout(buttons, 4, 0, 1, 3);

    connect(ok_, &QPushButton::clicked, this, &CQuenlix_InterlockDlg::onLogin);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        trace("OnBnClickedButtonMainCancel\r\n");
        reject();
    });
    connect(register_, &QPushButton::clicked, this, &CQuenlix_InterlockDlg::onRegister);

    // The About box sits in the window's context menu (and on F1).
    auto* about = new QAction(QStringLiteral("&About Quenlix_Interlock..."), this);
    about->setShortcut(QKeySequence::HelpContents);
    connect(about, &QAction::triggered, this, &CQuenlix_InterlockDlg::showAbout);
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CQuenlix_InterlockDlg::initialise() {
    ProgramState& state = program_.state();
    trace("Interlock Main Start!!\r\n");
    state.localTimeOffset = localTimeOffsetAt(std::time(nullptr));
    centreOnScreen(*this);
    const QRect client = rect();
    trace("%d %d %d %d\r\n", client.left(), client.top(), client.right() + 1, client.bottom() + 1);
    userName_->setFocus();
    productLabel_->setText(QStringLiteral("PART2"));
    brandLabel_->setText(QStringLiteral("QUENLIX"));
    spareLabel_->setText(QString());

    if (const std::string problem = accounts_.load(); !problem.empty()) {
        // Shown over the login window once it is up.
        QTimer::singleShot(0, this, [this, problem] { program_.prompter().message(problem); });
    }
    trace("Part_type_f = %d\r\n", state.identity.Part_type_f());
    trace("DUT = %d\r\n", state.identity.DUT());

    registerLauncherPages();
    trace("Thread Start [%d]\r\n", kLauncherTraceNumber);
    program_.startTimer();
}

void CQuenlix_InterlockDlg::registerLauncherPages() {
    PageLauncher& launcher = program_.launcher();
    launcher.registerPage(PageRequest::SoftwareChange,
                          [this] { runLauncherPage<CSoftware_Change>(); });
    launcher.registerPage(PageRequest::MainPart1, [this] { runLauncherPage<CMain_Part1>(); });
    launcher.registerPage(PageRequest::MainPart2, [this] { runLauncherPage<CMain_Part2>(); });
}

template <typename Page> void CQuenlix_InterlockDlg::runLauncherPage() {
    Page page(program_, connectPage_.get());
    runPage(page);
    // The calibration result page has asked for the program to close: the PC
    // Connect page gives way, and the login window after it.
    if (program_.state().closeProgramRequest)
        connectPage_->reject();
}

void CQuenlix_InterlockDlg::onLogin() {
    trace("OnBnClickedButtonMainOk\r\n");
    const auto matches =
        accounts_.loginMatches(userName_->text().toStdString(), password_->text().toStdString());
    for (std::size_t match = 0; match < matches.size(); ++match) {
        connectPage_->fillPorts();
        connectPage_->setFwUpdateMode(fwUpdateMode_->isChecked());
        runPage(*connectPage_);
        if (program_.state().closeProgramRequest) {
            accept();
            return;
        }
    }
}

void CQuenlix_InterlockDlg::onRegister() {
    trace("OnBnClickedButtonMainRegister\r\n");
    CRegister_Dlg page(program_, accounts_, this);
    runPage(page);
}

void CQuenlix_InterlockDlg::showAbout() {
    QMessageBox::about(this, QStringLiteral("About Quenlix_Interlock"),
                       QStringLiteral("Quenlix_Interlock Version 1.0"));
}

void CQuenlix_InterlockDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        program_.state().closeMenuRequest)
        accept();
}

void CQuenlix_InterlockDlg::done(int result) {
    program_.closeChannel();
    program_.stopTimer();
    QDialog::done(result);
}

} // namespace interlock
