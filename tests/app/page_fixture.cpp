#include "page_fixture.h"

#include "service/subsystem_duties.h"
#include "service/subsystem_pages.h"

#include <QFile>
#include <QTest>

namespace interlock {

PageFixture::PageFixture() {
    writeUsers("tech\tsecret\r\n");
}

void PageFixture::writeUsers(const QByteArray& content) const {
    QFile file(path(QStringLiteral("user.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray PageFixture::userFileBytes() const {
    QFile file(path(QStringLiteral("user.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList PageFixture::userFileLines() const {
    QStringList lines = QString::fromLatin1(userFileBytes()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::unique_ptr<CQuenlix_InterlockDlg> PageFixture::openWindow(std::vector<std::string> extraPorts,
                                                               bool simulated, bool realWaits) {
    RunOptions options{path(QStringLiteral("user.txt")).toStdString(), std::move(extraPorts),
                       simulated, realWaits ? nullptr : &pauser};
    auto window = std::make_unique<CQuenlix_InterlockDlg>(prompter, std::move(options));
    registerSubsystemDuties(window->program());
    registerSubsystemPages(window->program());
    window->show();
    return window;
}

void PageFixture::logIn(CQuenlix_InterlockDlg& window, const QString& name,
                        const QString& password) {
    window.userNameEdit()->setText(name);
    window.passwordEdit()->setText(password);
    window.okButton()->click();
}

} // namespace interlock
