#include "app/UserNotice.h"

#include <QMessageBox>
#include <QPointer>

void showUserNotice(QWidget* parent, const QString& text) {
    static QPointer<QMessageBox> open;
    if (open)
        return;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Quilldex 2"), text,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    open = box;
    box->show();
}
