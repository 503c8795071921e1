#pragma once

#include "platform/phonetic/PhoneticDictionary.h"

#include <QString>

#include <optional>

// What the user is told when every reading will be empty for want of the phonetic dictionary, and
// what to do about it; nothing when the dictionary is usable.
std::optional<QString> dictionaryNotice(phonetic::DictionaryStatus status);
