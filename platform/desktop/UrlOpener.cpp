#include "platform/desktop/UrlOpener.h"

#include <QProcess>

namespace desktop {

UrlOpener systemUrlOpener() {
    return [](const QString& url, std::function<void()> failed) {
        auto* opener = new QProcess;
        opener->setProgram(QStringLiteral("xdg-open"));
        opener->setArguments({url});
        opener->setStandardOutputFile(QProcess::nullDevice());
        opener->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(opener, &QProcess::errorOccurred, opener,
                         [opener, failed](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 failed();
                                 opener->deleteLater();
                             }
                         });
        // xdg-open hands the address to the browser and ends; a non-zero status means no
        // browser could be started.
        QObject::connect(opener, &QProcess::finished, opener,
                         [opener, failed](int status, QProcess::ExitStatus how) {
                             if (how != QProcess::NormalExit || status != 0)
                                 failed();
                             opener->deleteLater();
                         });
        opener->start();
    };
}

} // namespace desktop
