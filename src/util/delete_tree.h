#pragma once

#include <QString>

namespace mirte {

// Deletes a folder with everything in it, read-only entries too. Symbolic links are never
// followed: a link inside the tree is removed as a link, and nothing outside the tree is
// touched; a link given as Dir is removed itself. What cannot be deleted stays, silently.
void DeleteTree(const QString& dir);

} // namespace mirte
