#include "platform/forms/EditView.h"
#include "platform/forms/ToolkitTexts.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Whatever the locale, a text box's context menu and the message box's button speak
// Traditional Chinese.
TEST(ToolkitTexts, ContextMenuAndMessageBoxAreInTraditionalChinese) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(forms::useTraditionalChineseToolkitTexts(*qApp));

    forms::EditView view({QStringLiteral("新細明體"), 12, 400}, false);
    view.show();
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                              view.viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(view.viewport(), &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    menu->close();
    EXPECT_EQ(texts.size(), 7);
    for (const QString& text : texts)
        EXPECT_TRUE(text.front().script() == QChar::Script_Han) << text.toStdString();

    QMessageBox box(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("t"),
                    QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("確定"));
}

} // namespace
