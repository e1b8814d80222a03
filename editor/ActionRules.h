#pragma once

class TVARNOProg;

// The rules that keep a program's action list consistent while it is edited.
namespace varno::actions {

// The action count after a kind that does not end the list was chosen: 1, plus
// every slot from slot 2 on up to the first list-ending kind. Slot 1 itself is
// not examined, and an empty slot (kind 1) ends the run like any other
// list-ending kind.
int CountActions(const TVARNOProg &program);

} // namespace varno::actions
