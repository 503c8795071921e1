#include "app/DictionaryNotice.h"

std::optional<QString> dictionaryNotice(phonetic::DictionaryStatus status) {
    using phonetic::DictionaryStatus;
    switch (status) {
    case DictionaryStatus::Usable:
        return std::nullopt;
    case DictionaryStatus::Missing:
        return QStringLiteral("找不到注音字典（Debian 套件 libchewing3-data），所以查不到任何讀音。"
                              "請安裝這個套件，再重新開啟本程式。");
    case DictionaryStatus::Unreadable:
        return QStringLiteral(
            "無法讀取注音字典（Debian 套件 libchewing3-data），所以查不到任何讀音。"
            "請檢查字典檔案的權限，或重新安裝這個套件。");
    case DictionaryStatus::Damaged:
        return QStringLiteral(
            "注音字典（Debian 套件 libchewing3-data）已經損壞，所以查不到任何讀音。"
            "請重新安裝這個套件。");
    }
    return std::nullopt;
}
