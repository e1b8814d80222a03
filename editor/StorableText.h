#pragma once

#include <QString>
#include <functional>

class QLineEdit;
class QPlainTextEdit;

// Keeps out of an editor the characters a project file (Windows-1252) cannot
// hold, whatever brings them (keys, paste, drop, input method): a typed one is
// refused, a paste keeps what can be stored, and a hint next to the editor says
// why, in the text `hint` gives at that moment (the current language).
namespace varno::storable {

using HintText = std::function<QString()>;

// The text without the characters Windows-1252 cannot hold.
QString StorablePart(const QString &text);

void KeepStorable(QLineEdit *editor, HintText hint);
// Line breaks stay, whichever separator the editor uses for them. Connect it
// before any other handler of the editor's textChanged: they see the text it
// leaves.
void KeepStorable(QPlainTextEdit *editor, HintText hint);

} // namespace varno::storable
