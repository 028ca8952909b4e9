// Compiles normalised source text into code: commands with their parameter lists, assignments,
// subscripts, labels and braces. Expressions become flat lists for `=`, with sub-expressions and
// command calls computed into temporaries first.
#pragma once

#include "script/compiler_messages.h"
#include "script/script_builder.h"
#include "script/source_lexer.h"

namespace qeli::script {

// Reports what it cannot compile and goes on; false only when the text nests brackets too deeply to
// be compiled at all.
bool compileStatements(const NormalisedSource& source, const SourceText& original, ScriptBuilder& builder,
                       CompilerReporter& reporter);

// The command names of the command table, looked up by hashing.
bool isCommandName(std::string_view name);

}  // namespace qeli::script
