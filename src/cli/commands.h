#pragma once

#include <QStringList>
#include <cstdio>

namespace mirte::cli {

// Each command takes its own arguments (without the command name) and returns the exit status.
int RunList(const QStringList& args, std::FILE* out, std::FILE* err);
int RunFacts(const QStringList& args, std::FILE* out, std::FILE* err);
int RunThumb(const QStringList& args, std::FILE* out, std::FILE* err);

} // namespace mirte::cli
