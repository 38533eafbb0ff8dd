// The schema's versions, applied in order at start by whichever hall opens
// the database first, while the others wait on the lock: each is a list of
// statements run once, in one transaction with the version it brings. A
// change to the schema is a new version at the end, never an edit of one
// that has shipped.
#pragma once

#include <QString>

#include "halloffame/database.h"

// False, with the reason in problem, when the schema could not be brought
// up to date.
bool migrate(Database& db, QString& problem);
