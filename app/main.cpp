#include "app/UserNotice.h"
#include "platform/desktop/InstanceLock.h"
#include "platform/imm/SystemInputMethodManager.h"
#include "window/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quilldex2"));

    desktop::InstanceLock oneCopy(QStringLiteral("quilldex2.lock"));
    WindowServices services;
    services.imm = imm::makeSystemInputMethodManager();
    services.openUrl = desktop::systemUrlOpener();
    services.anotherCopyRunning = [&oneCopy] { return !oneCopy.tryAcquire(); };

    主畫面 window(std::move(services));
    if (!window.Form_Load())
        return 0;

    const auto tell = [&window](const QString& text) { showUserNotice(&window, text); };
    window.setNotifier(tell);
    forms::Form::failureReporter() = [tell](const QString&) {
        tell(QStringLiteral("程式發生錯誤，這個動作沒有完成。您輸入的文字都還在，可以繼續使用。"));
    };

    window.show();
    window.很多行.widget()->setFocus();
    return app.exec();
}
