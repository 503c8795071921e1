// The link label: highlighted under the pointer, opens the maker's web page when clicked.
#include "BuildConfig.h"
#include "window/Layout.h"
#include "window/MainWindow.h"

#include <QPointer>

void 主畫面::開啟官方_MouseMove(const forms::MouseArgs&) {
    開啟官方.setForeColor(layout::linkHighlight);
}

void 主畫面::開啟官方_Click() {
    const QString url = QString::fromUtf8(buildconfig::makerUrl);
    QPointer<forms::Form> alive(this);
    services_.openUrl(url, [this, alive, url] {
        if (alive && services_.tell)
            services_.tell(QStringLiteral("無法開啟瀏覽器，請自行前往 %1").arg(url));
    });
}
