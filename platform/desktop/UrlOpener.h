#pragma once

#include <QString>
#include <functional>

namespace desktop {

// Opens a web address in the user's browser through the desktop's standard opener. The opener is
// started and not waited for; when it cannot be started, or reports that no browser could be,
// failed runs later on the event loop.
using UrlOpener = std::function<void(const QString& url, std::function<void()> failed)>;

UrlOpener systemUrlOpener();

} // namespace desktop
