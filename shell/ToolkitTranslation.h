#pragma once

#include <QtGlobal>
#include <text/Language.h>

// The toolkit's own texts (Yes and No, the file and colour dialogs, key names)
// in the programmer's language, from the translations installed with Qt.
// English needs none; when the files are missing those texts stay English.
void UseToolkitLanguage(text::Language language);
