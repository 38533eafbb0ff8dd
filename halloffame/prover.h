// Proving a replay in a child process, never in the server's own: the
// program runs itself with the subcommand "prove" under limits (10 s of
// processor, 512 MB of memory, no file written, killed after 30 s in all),
// the replay's bytes on its standard input and its proof on its standard
// output. Whatever a stranger's file does, it does there.
#pragma once

#include <QByteArray>
#include <QString>

#include "halloffame/proof.h"

// The parent's side: a rejected proof with its reason when the child
// fails, runs out of its limits or answers nothing sound.
Proof proveInChild(const QByteArray& bytes);

// The child's side: reads the replay from standard input, plays it and
// prints the proof. The status is 0 whenever a proof was printed.
int proveCommand(char* argv0);
