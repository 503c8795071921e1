#include "app/DictionaryNotice.h"
#include "app/UserNotice.h"
#include "platform/desktop/InstanceLock.h"
#include "platform/forms/ToolkitTexts.h"
#include "platform/imm/SystemInputMethodManager.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quilldex2"));
    forms::useTraditionalChineseToolkitTexts(app);

    desktop::InstanceLock oneCopy(QStringLiteral("quilldex2.lock"));
    WindowServices services;
    std::unique_ptr<imm::InputMethodManager> systemImm = imm::makeSystemInputMethodManager();
    imm::InputMethodManager& ime = *systemImm;
    services.imm = std::move(systemImm);
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

    // Closing the window ends the program, even with a message box of ours still open.
    QObject::connect(&window, &forms::Form::closed, &app, &QCoreApplication::quit);
    window.show();
    window.很多行.widget()->setFocus();
    // The first lookup would build the index anyway; built as soon as the window is up, it can
    // say at once, and once, why every reading would be empty.
    QTimer::singleShot(0, &window, [&ime, tell] {
        if (const auto notice = dictionaryNotice(imm::dictionaryStatus(ime)))
            tell(*notice);
    });
    return app.exec();
}
