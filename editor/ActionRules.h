#pragma once

class TVARNOProg;

// The rules that keep a program's action list consistent while it is edited.
namespace varno::actions {

// The action count after a kind that does not end the list was chosen: 1, plus
// every slot from slot 2 on up to the first list-ending kind. Slot 1 itself is
// not examined, and an empty slot (kind 1) ends the run like any other
// list-ending kind.
int CountActions(const TVARNOProg &program);

// Empties every slot after the first list-ending slot and sets the value of every
// slot that is not an external output back to 255. The count is left alone.
void NormalizeActions(TVARNOProg &program);

} // namespace varno::actions
