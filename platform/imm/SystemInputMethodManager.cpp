#include "platform/imm/SystemInputMethodManager.h"

#include "platform/imm/PhoneticInputMethod.h"

namespace imm {

std::unique_ptr<InputMethodManager> makeSystemInputMethodManager() {
    return makeSystemInputMethodManager(phonetic::systemDictionaryFolders());
}

std::unique_ptr<InputMethodManager>
makeSystemInputMethodManager(const phonetic::DictionaryFolders& folders) {
    return std::make_unique<PhoneticInputMethod>(folders);
}

phonetic::DictionaryStatus dictionaryStatus(InputMethodManager& manager) {
    if (auto* phonetic = dynamic_cast<PhoneticInputMethod*>(&manager))
        return phonetic->buildReport().status;
    return phonetic::DictionaryStatus::Usable;
}

} // namespace imm
