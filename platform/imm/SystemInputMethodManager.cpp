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

} // namespace imm
